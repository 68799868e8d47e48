#pragma once

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
    // by the player's settings, in a window opened in `mode`.
    MainScreen(MediaFolder media, PlayerSettings settings, WindowMode mode, RoundSeams* seams = nullptr);

    int run(sf::RenderWindow& window, kit::MultiResourceCache& cache) override;

private:
    MediaFolder media;
    PlayerSettings settings;
    WindowMode mode;
    RoundSeams* seams;
};
