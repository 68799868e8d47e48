#pragma once

#include "kit/JoystickState.hpp"

#include <SFML/Window/Event.hpp>

#include <array>
#include <map>
#include <memory>
#include <set>

// Gamepads that exist only in a test: it plugs them in, holds their buttons and moves their sticks. Each change
// returns the event the window would poll for it, so the scripted state and the events agree as they do in play.
class ScriptedPads
{
public:
    struct Pad
    {
        unsigned buttonCount = 8;
        std::set<unsigned> down;
        std::array<float, sf::Joystick::AxisCount> axes{};
    };

    ScriptedPads()
        : pads(std::make_shared<std::map<unsigned, Pad>>())
    {
    }

    kit::JoystickState state() const
    {
        auto shared = pads;
        return kit::JoystickState{[shared](unsigned id) { return shared->count(id) > 0; },
                                  [shared](unsigned id)
                                  { return shared->count(id) > 0 ? shared->at(id).buttonCount : 0u; },
                                  [shared](unsigned id, unsigned button)
                                  { return shared->count(id) > 0 && shared->at(id).down.count(button) > 0; },
                                  [shared](unsigned id, sf::Joystick::Axis axis)
                                  { return shared->count(id) > 0 ? shared->at(id).axes[axis] : 0.f; }};
    }

    sf::Event connect(unsigned id, unsigned buttonCount = 8)
    {
        (*pads)[id] = Pad{buttonCount, {}, {}};
        return connectionEvent(sf::Event::JoystickConnected, id);
    }

    sf::Event disconnect(unsigned id)
    {
        pads->erase(id);
        return connectionEvent(sf::Event::JoystickDisconnected, id);
    }

    sf::Event press(unsigned id, unsigned button)
    {
        (*pads)[id].down.insert(button);
        return buttonEvent(sf::Event::JoystickButtonPressed, id, button);
    }

    sf::Event release(unsigned id, unsigned button)
    {
        (*pads)[id].down.erase(button);
        return buttonEvent(sf::Event::JoystickButtonReleased, id, button);
    }

    sf::Event move(unsigned id, sf::Joystick::Axis axis, float position)
    {
        (*pads)[id].axes[axis] = position;
        return moveEvent(id, axis, position);
    }

    // The events alone, for tests that script the state themselves.
    static sf::Event moveEvent(unsigned id, sf::Joystick::Axis axis, float position)
    {
        sf::Event event{};
        event.type = sf::Event::JoystickMoved;
        event.joystickMove.joystickId = id;
        event.joystickMove.axis = axis;
        event.joystickMove.position = position;
        return event;
    }

    static sf::Event connectionEvent(sf::Event::EventType type, unsigned id)
    {
        sf::Event event{};
        event.type = type;
        event.joystickConnect.joystickId = id;
        return event;
    }

    static sf::Event buttonEvent(sf::Event::EventType type, unsigned id, unsigned button)
    {
        sf::Event event{};
        event.type = type;
        event.joystickButton.joystickId = id;
        event.joystickButton.button = button;
        return event;
    }

private:
    std::shared_ptr<std::map<unsigned, Pad>> pads;
};
