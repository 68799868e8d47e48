#pragma once

#include "app/Screen.hpp"
#include "assets/MediaFolder.hpp"
#include "kit/MultiResourceCache.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <vector>

class RoundSeams;

// Owns the window, the resource cache and the (non-owning) list of screens, and runs the screens in turn.
class Game
{
public:
    // Opens the window; the game's media are read from `media`.
    explicit Game(MediaFolder media);

    // Seams, when given, see everything that enters the game (a recording).
    void run(RoundSeams* seams = nullptr);
    void closeWindow();

private:
    MediaFolder media;
    sf::RenderWindow window;
    kit::MultiResourceCache cache;
    std::vector<Screen*> screens;
};

// The screen loop: runs the screen at the current index until one returns an index that names no screen.
void runScreens(const std::vector<Screen*>& screens, sf::RenderWindow& window, kit::MultiResourceCache& cache);
