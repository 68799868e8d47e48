#pragma once

#include <SFML/Window/Joystick.hpp>

#include <functional>

namespace kit
{

// What the action map may ask about the gamepads right now. The game reads SFML's joysticks, which the window's
// event polling refreshes, so their state agrees with the events of the same update; tests script it.
struct JoystickState
{
    std::function<bool(unsigned joystick)> isConnected;
    std::function<unsigned(unsigned joystick)> getButtonCount;
    std::function<bool(unsigned joystick, unsigned button)> isButtonPressed;
    std::function<float(unsigned joystick, sf::Joystick::Axis axis)> getAxisPosition;

    // SFML's live joysticks: the only place that reads them.
    static JoystickState live();
};

} // namespace kit
