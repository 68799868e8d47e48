#include "kit/AxisPresses.hpp"

namespace kit
{

void AxisPresses::clear()
{
    pressedNow = {};
}

void AxisPresses::take(const sf::Event& event)
{
    switch (event.type)
    {
        case sf::Event::JoystickConnected:
        case sf::Event::JoystickDisconnected:
            if (event.joystickConnect.joystickId < sf::Joystick::Count)
                held[event.joystickConnect.joystickId] = {};
            return;
        case sf::Event::JoystickMoved:
            break;
        default:
            return;
    }

    // Events can be injected as well as polled: ignore ids and axes SFML never reports.
    const sf::Event::JoystickMoveEvent& move = event.joystickMove;
    const auto axis = static_cast<unsigned>(move.axis);
    if (move.joystickId >= sf::Joystick::Count || axis >= sf::Joystick::AxisCount)
        return;

    for (Direction direction : {Negative, Positive})
    {
        const float reach = direction == Positive ? move.position : -move.position;
        bool& isHeld = held[move.joystickId][axis][direction];
        if (!isHeld && reach > PressBeyond)
        {
            isHeld = true;
            pressedNow[axis][direction] = true;
        }
        else if (isHeld && reach < ReleaseWithin)
            isHeld = false;
    }
}

bool AxisPresses::pressed(sf::Joystick::Axis axis, Direction direction) const
{
    const auto index = static_cast<unsigned>(axis);
    return index < sf::Joystick::AxisCount && pressedNow[index][direction];
}

} // namespace kit
