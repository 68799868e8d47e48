#pragma once

#include <SFML/System/Vector2.hpp>

#include <string>

// How the game's window shows the canvas: a window of a whole factor of the canvas's size, or the whole screen, on
// which the canvas takes the largest whole factor that fits, centred on black.
struct WindowMode
{
    unsigned scale = 3;
    bool fullscreen = false;
};

// The largest whole factor of the canvas that fits an area (at least 1).
unsigned largestScale(sf::Vector2u area);

// The mode the player's scale and fullscreen ask for on a desktop of this size. A scale whose window would be larger
// than the desktop falls back to the game's own 3, and `problem` says so in one line (it is left empty otherwise).
WindowMode windowModeFor(int scale, bool fullscreen, sf::Vector2u desktop, std::string& problem);
