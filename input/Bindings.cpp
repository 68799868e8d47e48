#include "input/Bindings.hpp"

using kit::Action;
using kit::AxisPresses;
using kit::JoystickAxis;
using kit::JoystickButton;

namespace
{

// SFML's button numbers for the common pad layout on Linux.
constexpr unsigned SouthButton = 0;
constexpr unsigned LeftShoulder = 4;
constexpr unsigned RightShoulder = 5;
constexpr unsigned BackButton = 6;

// A direction of the D-pad or of the left stick; each axis presses on its own, and the board decides between them
// as it does between keys. On Linux both Y axes grow downward.
Action padMove(sf::Joystick::Axis pov, sf::Joystick::Axis stick, AxisPresses::Direction direction)
{
    return Action(JoystickAxis{pov, direction}) || Action(JoystickAxis{stick, direction});
}

Action loveButtons(Action::ActionType type)
{
    return (Action(JoystickButton{SouthButton}, type) || Action(JoystickButton{LeftShoulder}, type)) ||
           Action(JoystickButton{RightShoulder}, type);
}

} // namespace

void bindCloseAction(kit::ActionMap& actions)
{
    actions["close"] = (Action(sf::Event::Closed) || Action(sf::Keyboard::Escape, Action::Hold)) ||
                       Action(JoystickButton{BackButton}, Action::Hold);
}

void bindMainActions(kit::ActionMap& actions)
{
    // Presses, not holds: with key repeat off, one press is one move however long the key stays down, and a pad's
    // axis presses the same way.
    actions["up key"] = (Action(sf::Keyboard::Up, Action::PressOnce) || Action(sf::Keyboard::W, Action::PressOnce)) ||
                        padMove(sf::Joystick::PovY, sf::Joystick::Y, AxisPresses::Negative);
    actions["down key"] =
        (Action(sf::Keyboard::Down, Action::PressOnce) || Action(sf::Keyboard::S, Action::PressOnce)) ||
        padMove(sf::Joystick::PovY, sf::Joystick::Y, AxisPresses::Positive);
    actions["left key"] =
        (Action(sf::Keyboard::Left, Action::PressOnce) || Action(sf::Keyboard::A, Action::PressOnce)) ||
        padMove(sf::Joystick::PovX, sf::Joystick::X, AxisPresses::Negative);
    actions["right key"] =
        (Action(sf::Keyboard::Right, Action::PressOnce) || Action(sf::Keyboard::D, Action::PressOnce)) ||
        padMove(sf::Joystick::PovX, sf::Joystick::X, AxisPresses::Positive);
    actions["move key"] = ((actions["up key"] || actions["down key"]) || actions["left key"]) || actions["right key"];
    actions["love"] =
        (Action(sf::Keyboard::LShift, Action::PressOnce) || Action(sf::Keyboard::RShift, Action::PressOnce)) ||
        loveButtons(Action::PressOnce);
    actions["unlove"] =
        (Action(sf::Keyboard::LShift, Action::ReleaseOnce) || Action(sf::Keyboard::RShift, Action::ReleaseOnce)) ||
        loveButtons(Action::ReleaseOnce);
}
