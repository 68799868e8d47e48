#include "input/Bindings.hpp"

using kit::Action;
using kit::AxisPresses;
using kit::JoystickAxis;
using kit::JoystickButton;

namespace
{

// A direction of the D-pad or of the left stick; each axis presses on its own, and the board decides between them
// as it does between keys. On Linux both Y axes grow downward.
Action padMove(sf::Joystick::Axis pov, sf::Joystick::Axis stick, AxisPresses::Direction direction)
{
    return Action(JoystickAxis{pov, direction}) || Action(JoystickAxis{stick, direction});
}

// Any of the keys, then any of the buttons; an empty list is never active.
Action anyOf(const std::vector<sf::Keyboard::Key>& keys, const std::vector<unsigned>& buttons, Action::ActionType type)
{
    Action any;
    for (const sf::Keyboard::Key key : keys)
        any = any || Action(key, type);
    for (const unsigned button : buttons)
        any = any || Action(JoystickButton{button}, type);
    return any;
}

} // namespace

void bindCloseAction(kit::ActionMap& actions, const Controls& controls)
{
    actions["close"] = Action(sf::Event::Closed) || anyOf(controls.close, controls.padClose, Action::Hold);
}

void bindMainActions(kit::ActionMap& actions, const Controls& controls)
{
    // Presses, not holds: with key repeat off, one press is one move however long the key stays down, and a pad's
    // axis presses the same way.
    actions["up key"] = anyOf(controls.up, {}, Action::PressOnce) ||
                        padMove(sf::Joystick::PovY, sf::Joystick::Y, AxisPresses::Negative);
    actions["down key"] = anyOf(controls.down, {}, Action::PressOnce) ||
                          padMove(sf::Joystick::PovY, sf::Joystick::Y, AxisPresses::Positive);
    actions["left key"] = anyOf(controls.left, {}, Action::PressOnce) ||
                          padMove(sf::Joystick::PovX, sf::Joystick::X, AxisPresses::Negative);
    actions["right key"] = anyOf(controls.right, {}, Action::PressOnce) ||
                           padMove(sf::Joystick::PovX, sf::Joystick::X, AxisPresses::Positive);
    actions["move key"] = ((actions["up key"] || actions["down key"]) || actions["left key"]) || actions["right key"];
    actions["love"] = anyOf(controls.love, controls.padLove, Action::PressOnce);
    actions["unlove"] = anyOf(controls.love, controls.padLove, Action::ReleaseOnce);
}
