#pragma once

#include "app/DisplayConnection.hpp"
#include "app/Screen.hpp"
#include "app/WindowMode.hpp"
#include "assets/MediaFolder.hpp"
#include "kit/MultiResourceCache.hpp"
#include "settings/PlayerSettings.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <vector>

class RoundSeams;

// Owns the window, the resource cache and the (non-owning) list of screens, and runs the screens in turn.
class Game
{
public:
    // Opens the window in `mode` on the display; the game's media are read from `media`, and it plays by the
    // player's settings.
    Game(MediaFolder media, PlayerSettings settings, WindowMode mode, const DisplayConnection& display);

    // Seams, when given, see everything that enters the game (a recording).
    void run(RoundSeams* seams = nullptr);
    void closeWindow();

private:
    MediaFolder media;
    PlayerSettings settings;
    WindowMode mode;
    const DisplayConnection& display;
    sf::RenderWindow window;
    kit::MultiResourceCache cache;
    std::vector<Screen*> screens;
};

// The screen loop: runs the screen at the current index until one returns an index that names no screen.
void runScreens(const std::vector<Screen*>& screens, sf::RenderWindow& window, kit::MultiResourceCache& cache);
