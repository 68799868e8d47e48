#pragma once

#include "kit/AxisPresses.hpp"
#include "kit/JoystickState.hpp"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <functional>
#include <vector>

namespace kit
{

// What an action is judged against: the events of the last update with the axis presses they made, the live
// keyboard and pads, and whether the window has the keyboard focus.
struct ActionContext
{
    const std::vector<sf::Event>& events;
    const AxisPresses& axisPresses;
    const std::function<bool(sf::Keyboard::Key)>& isKeyDown;
    const JoystickState& joystick;
    bool focused;
};

} // namespace kit
