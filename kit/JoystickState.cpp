#include "kit/JoystickState.hpp"

namespace kit
{

JoystickState JoystickState::live()
{
    JoystickState state;
    state.isConnected = [](unsigned joystick) { return sf::Joystick::isConnected(joystick); };
    state.getButtonCount = [](unsigned joystick) { return sf::Joystick::getButtonCount(joystick); };
    state.isButtonPressed = [](unsigned joystick, unsigned button)
    { return sf::Joystick::isButtonPressed(joystick, button); };
    state.getAxisPosition = [](unsigned joystick, sf::Joystick::Axis axis)
    { return sf::Joystick::getAxisPosition(joystick, axis); };
    return state;
}

} // namespace kit
