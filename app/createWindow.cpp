#include "app/createWindow.hpp"

#include <stdexcept>

void createWindow(sf::RenderWindow& window, unsigned width, unsigned height, const std::string& title)
{
    const sf::ContextSettings settings(0, 0, 0, 2, 0);
    window.create(sf::VideoMode(width, height, 32), sf::String(title), sf::Style::Close, settings);
    if (!window.isOpen())
        throw std::runtime_error("Failed to open the game window");

    window.setVerticalSyncEnabled(true);
    window.setMouseCursorVisible(false);
    // The input actions count one press per key-down, so a held key must not repeat.
    window.setKeyRepeatEnabled(false);
    window.clear(sf::Color(0, 0, 0, 255));
    window.display();
}
