#pragma once

#include "kit/Action.hpp"
#include "kit/AxisPresses.hpp"
#include "kit/JoystickState.hpp"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Window.hpp>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kit
{

// Named input actions together with the window events of the last update.
class ActionMap
{
public:
    // Reads whether a key is down right now; tests script it, the game reads the real keyboard.
    using KeyState = std::function<bool(sf::Keyboard::Key)>;

    // The pads are read through joystick alone, so that it can be scripted or recorded like the keyboard.
    explicit ActionMap(KeyState isKeyDown = &sf::Keyboard::isKeyPressed,
                       JoystickState joystick = JoystickState::live());

    // The action bound to name, to assign to; a name that was only looked up holds an action that is never active.
    Action& operator[](const std::string& name);

    // Empties the event buffer, then takes every pending event of the window into it.
    void update(sf::Window& window);
    void clearEvents();
    // Adds one event to the buffer, as if update had polled it.
    void pushEvent(const sf::Event& event);
    // Empties the event buffer, then takes these events into it, as if update had polled them: what a replay or
    // a test hands over in place of the window.
    void replaceEvents(const std::vector<sf::Event>& polled);

    // False for a name without a binding.
    bool isActive(const std::string& name) const;

    // Whether the window had the keyboard focus at the last focus event seen (it counts as focused before any).
    bool hasFocus() const { return focused; }

private:
    // A key as it was when last asked. Only that key's own event or a change of focus can change it while the
    // window has the focus, so it is asked again only after one: a frame without keyboard events asks nothing,
    // where on X each question is a round trip to the server.
    bool keyDown(sf::Keyboard::Key key) const;
    void forgetKeys();

    KeyState isKeyDown;
    static constexpr std::int8_t Unasked = -1;
    mutable std::array<std::int8_t, sf::Keyboard::KeyCount> asked{};
    JoystickState joystick;
    std::map<std::string, Action> actions;
    std::vector<sf::Event> events;
    AxisPresses axisPresses;
    bool focused = true;
};

} // namespace kit
