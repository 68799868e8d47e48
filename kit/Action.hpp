#pragma once

#include "kit/ActionContext.hpp"
#include "kit/AxisPresses.hpp"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <memory>

namespace kit
{

// A button of any connected pad, by SFML's number (0 is the south face button on the common layout).
struct JoystickButton
{
    unsigned button;
};

// One direction of an axis of any connected pad.
struct JoystickAxis
{
    sf::Joystick::Axis axis;
    AxisPresses::Direction direction;
};

// One input condition: a key or a pad button with the kind of activity that counts, a pad axis pushed in a direction,
// a window event type, or an "or" of two such.
// Actions are values: combining copies both sides, so rebinding a name later does not change a combination made
// from it before.
class Action
{
public:
    enum ActionType
    {
        Hold,       // the key or button is down at the moment of the query (and the window has the focus)
        PressOnce,  // the events hold a pressed event of the key or button
        ReleaseOnce // the events hold a released event of the key or button
    };

    // Never active: what a name holds before anything is assigned to it.
    Action();
    explicit Action(sf::Keyboard::Key key, ActionType type = Hold);
    // Pads send their events to whichever window is in front, so presses and holds count only while the window has
    // the focus; a release always counts, so that nothing stays down that the player has let go.
    explicit Action(JoystickButton button, ActionType type = Hold);
    // Active when the events pushed the axis of a pad past half-way in the direction (see AxisPresses).
    explicit Action(JoystickAxis axis);
    // Active when the events hold an event of this type.
    explicit Action(sf::Event::EventType type);

    bool isActive(const ActionContext& context) const;

    friend Action operator||(const Action& lhs, const Action& rhs);

    // The kinds of condition live in Action.cpp.
    struct Condition;

private:
    explicit Action(std::shared_ptr<const Condition> condition);

    // Shared and never changed after construction, which makes copies cheap and independent.
    std::shared_ptr<const Condition> condition;
};

Action operator||(const Action& lhs, const Action& rhs);

} // namespace kit
