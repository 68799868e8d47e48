#pragma once

#include "app/Screen.hpp"

// The one screen of the game: its run is the whole game, from loading the media to the end of the music.
class MainScreen : public Screen
{
public:
    int run(sf::RenderWindow& window, kit::MultiResourceCache& cache) override;
};
