#pragma once

#include "app/FramePacer.hpp"
#include "app/Screen.hpp"
#include "app/WindowMode.hpp"
#include "assets/MediaFolder.hpp"
#include "settings/PlayerSettings.hpp"

class RoundSeams;

// The one screen of the game: its run is the whole game, from loading the media to the end of the music.
class MainScreen : public Screen
{
public:
    // Without seams it is the game itself; with them, everything from outside passes through them. The game plays
    // by the player's settings, in a window opened in `mode`, its frames shown at the pacer's pace.
    MainScreen(MediaFolder media, PlayerSettings settings, WindowMode mode, FramePacer pacer,
               RoundSeams* seams = nullptr);

    int run(sf::RenderWindow& window, kit::MultiResourceCache& cache) override;

private:
    MediaFolder media;
    PlayerSettings settings;
    WindowMode mode;
    FramePacer pacer;
    RoundSeams* seams;
};
