#include "app/WindowKeys.hpp"

#include "app/Settings.hpp"
#include "app/createWindow.hpp"
#include "game/SoundLevels.hpp"

WindowKeys::WindowKeys(WindowMode windowMode, SoundLevels* soundLevels)
    : mode(windowMode)
    , sound(soundLevels)
{
}

void WindowKeys::notice(const sf::Event& event)
{
    if (event.type != sf::Event::KeyPressed)
        return;
    if (event.key.code == sf::Keyboard::F11 || (event.key.code == sf::Keyboard::Enter && event.key.alt))
        switchAsked = !switchAsked;
    else if (event.key.code == sf::Keyboard::M && sound != nullptr)
        muteAsked = !muteAsked;
}

void WindowKeys::apply(sf::RenderWindow& window)
{
    if (muteAsked)
        sound->toggleMute();
    muteAsked = false;
    if (!switchAsked)
        return;
    switchAsked = false;
    mode.fullscreen = !mode.fullscreen;
    createWindow(window, mode, TITLE);
}
