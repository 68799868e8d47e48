#include "kit/ActionMap.hpp"

#include <utility>

namespace kit
{

ActionMap::ActionMap(KeyState isKeyDown, JoystickState joystick)
    : isKeyDown(std::move(isKeyDown))
    , joystick(std::move(joystick))
{
}

Action& ActionMap::operator[](const std::string& name)
{
    return actions[name];
}

void ActionMap::update(sf::Window& window)
{
    clearEvents();
    sf::Event event;
    while (window.pollEvent(event))
        pushEvent(event);
}

void ActionMap::clearEvents()
{
    events.clear();
    axisPresses.clear();
}

void ActionMap::replaceEvents(const std::vector<sf::Event>& polled)
{
    clearEvents();
    for (const sf::Event& event : polled)
        pushEvent(event);
}

void ActionMap::pushEvent(const sf::Event& event)
{
    if (event.type == sf::Event::LostFocus)
        focused = false;
    else if (event.type == sf::Event::GainedFocus)
        focused = true;
    axisPresses.take(event);
    events.push_back(event);
}

bool ActionMap::isActive(const std::string& name) const
{
    const auto found = actions.find(name);
    if (found == actions.end())
        return false;
    return found->second.isActive(ActionContext{events, axisPresses, isKeyDown, joystick, focused});
}

} // namespace kit
