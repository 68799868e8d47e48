#pragma once

#include "kit/ActionContext.hpp"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <memory>

namespace kit
{

// One input condition: a key with the kind of activity that counts, a window event type, or an "or" of two such.
// Actions are values: combining copies both sides, so rebinding a name later does not change a combination made
// from it before.
class Action
{
public:
    enum ActionType
    {
        Hold,       // the key is down at the moment of the query (and the window has the focus)
        PressOnce,  // the events hold a key-pressed event of the key
        ReleaseOnce // the events hold a key-released event of the key
    };

    // Never active: what a name holds before anything is assigned to it.
    Action();
    explicit Action(sf::Keyboard::Key key, ActionType type = Hold);
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
