#pragma once

#include "app/WindowMode.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <string>

// Opens the game's window: fixed size with a close button, vsync, no cursor, no key repeat, first picture black.
// Throws std::runtime_error when the window does not open.
void createWindow(sf::RenderWindow& window, unsigned width, unsigned height, const std::string& title);

// The same for a window mode: a window of the canvas's size times the mode's scale, or in fullscreen the desktop's
// own size, with no change of video mode. Opening it again in another mode keeps nothing but the window's object.
void createWindow(sf::RenderWindow& window, const WindowMode& mode, const std::string& title);
