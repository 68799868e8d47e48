#include "kit/Action.hpp"

#include <algorithm>
#include <utility>

namespace kit
{

struct Action::Condition
{
    virtual ~Condition() = default;
    virtual bool isActive(const ActionContext& context) const = 0;
};

namespace
{

bool hasEvent(const ActionContext& context, sf::Event::EventType type, sf::Keyboard::Key key)
{
    return std::any_of(context.events.begin(), context.events.end(),
                       [&](const sf::Event& event) { return event.type == type && event.key.code == key; });
}

} // namespace

struct KeyCondition : Action::Condition
{
    KeyCondition(sf::Keyboard::Key key, Action::ActionType type)
        : key(key)
        , type(type)
    {
    }

    bool isActive(const ActionContext& context) const override
    {
        switch (type)
        {
            case Action::Hold:
                // The keyboard state is global: a key held in another program must not count.
                return context.focused && context.isKeyDown(key);
            case Action::PressOnce:
                return hasEvent(context, sf::Event::KeyPressed, key);
            case Action::ReleaseOnce:
                return hasEvent(context, sf::Event::KeyReleased, key);
        }
        return false;
    }

    sf::Keyboard::Key key;
    Action::ActionType type;
};

struct JoystickButtonCondition : Action::Condition
{
    JoystickButtonCondition(unsigned button, Action::ActionType type)
        : button(button)
        , type(type)
    {
    }

    bool isActive(const ActionContext& context) const override
    {
        switch (type)
        {
            case Action::Hold:
                return context.focused && isHeldOnAnyPad(context.joystick);
            case Action::PressOnce:
                return context.focused && hasEvent(context, sf::Event::JoystickButtonPressed);
            case Action::ReleaseOnce:
                return hasEvent(context, sf::Event::JoystickButtonReleased);
        }
        return false;
    }

    bool hasEvent(const ActionContext& context, sf::Event::EventType eventType) const
    {
        return std::any_of(context.events.begin(), context.events.end(),
                           [&](const sf::Event& event)
                           { return event.type == eventType && event.joystickButton.button == button; });
    }

    // A pad with fewer buttons simply lacks this one; a state left empty has no pads at all.
    bool isHeldOnAnyPad(const JoystickState& joystick) const
    {
        if (!joystick.isConnected || !joystick.getButtonCount || !joystick.isButtonPressed)
            return false;
        for (unsigned id = 0; id < sf::Joystick::Count; ++id)
        {
            if (joystick.isConnected(id) && button < joystick.getButtonCount(id) &&
                joystick.isButtonPressed(id, button))
                return true;
        }
        return false;
    }

    unsigned button;
    Action::ActionType type;
};

struct JoystickAxisCondition : Action::Condition
{
    explicit JoystickAxisCondition(JoystickAxis axis)
        : axis(axis)
    {
    }

    bool isActive(const ActionContext& context) const override
    {
        return context.focused && context.axisPresses.pressed(axis.axis, axis.direction);
    }

    JoystickAxis axis;
};

struct EventCondition : Action::Condition
{
    explicit EventCondition(sf::Event::EventType type)
        : type(type)
    {
    }

    bool isActive(const ActionContext& context) const override
    {
        return std::any_of(context.events.begin(), context.events.end(),
                           [&](const sf::Event& event) { return event.type == type; });
    }

    sf::Event::EventType type;
};

struct OrCondition : Action::Condition
{
    OrCondition(Action lhs, Action rhs)
        : lhs(std::move(lhs))
        , rhs(std::move(rhs))
    {
    }

    bool isActive(const ActionContext& context) const override
    {
        return lhs.isActive(context) || rhs.isActive(context);
    }

    Action lhs;
    Action rhs;
};

Action::Action() = default;

Action::Action(sf::Keyboard::Key key, ActionType type)
    : condition(std::make_shared<KeyCondition>(key, type))
{
}

Action::Action(JoystickButton button, ActionType type)
    : condition(std::make_shared<JoystickButtonCondition>(button.button, type))
{
}

Action::Action(JoystickAxis axis)
    : condition(std::make_shared<JoystickAxisCondition>(axis))
{
}

Action::Action(sf::Event::EventType type)
    : condition(std::make_shared<EventCondition>(type))
{
}

Action::Action(std::shared_ptr<const Condition> condition)
    : condition(std::move(condition))
{
}

bool Action::isActive(const ActionContext& context) const
{
    return condition && condition->isActive(context);
}

Action operator||(const Action& lhs, const Action& rhs)
{
    return Action(std::make_shared<OrCondition>(lhs, rhs));
}

} // namespace kit
