#pragma once

#include "app/Screen.hpp"
#include "assets/MediaFolder.hpp"

class RoundSeams;

// The one screen of the game: its run is the whole game, from loading the media to the end of the music.
class MainScreen : public Screen
{
public:
    // Without seams it is the game itself; with them, everything from outside passes through them.
    explicit MainScreen(MediaFolder media, RoundSeams* seams = nullptr);

    int run(sf::RenderWindow& window, kit::MultiResourceCache& cache) override;

private:
    MediaFolder media;
    RoundSeams* seams;
};
