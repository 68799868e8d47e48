#include "app/createWindow.hpp"

#include "app/Settings.hpp"

#include <stdexcept>

namespace
{

void open(sf::RenderWindow& window, const sf::VideoMode& mode, sf::Uint32 style, const std::string& title)
{
    const sf::ContextSettings settings(0, 0, 0, 2, 0);
    window.create(mode, sf::String(title), style, settings);
    if (!window.isOpen())
        throw std::runtime_error("Failed to open the game window");

    window.setVerticalSyncEnabled(true);
    window.setMouseCursorVisible(false);
    // The input actions count one press per key-down, so a held key must not repeat.
    window.setKeyRepeatEnabled(false);
    window.clear(sf::Color(0, 0, 0, 255));
    window.display();
}

} // namespace

void createWindow(sf::RenderWindow& window, unsigned width, unsigned height, const std::string& title)
{
    open(window, sf::VideoMode(width, height, 32), sf::Style::Close, title);
}

void createWindow(sf::RenderWindow& window, const WindowMode& mode, const std::string& title)
{
    // The desktop's own mode: SFML changes no video mode for it.
    if (mode.fullscreen)
        open(window, sf::VideoMode::getDesktopMode(), sf::Style::Fullscreen, title);
    else
        createWindow(window, mode.scale * CANVAS_WIDTH, mode.scale * CANVAS_HEIGHT, title);
}
