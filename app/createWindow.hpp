#pragma once

#include <SFML/Graphics/RenderWindow.hpp>

#include <string>

// Opens the game's window: fixed size with a close button, vsync, no cursor, no key repeat, first picture black.
// Throws std::runtime_error when the window does not open.
void createWindow(sf::RenderWindow& window, unsigned width, unsigned height, const std::string& title);
