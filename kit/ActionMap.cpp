#include "kit/ActionMap.hpp"

#include <utility>

namespace kit
{

ActionMap::ActionMap(KeyState isKeyDown, JoystickState joystick)
    : isKeyDown(std::move(isKeyDown))
    , joystick(std::move(joystick))
{
    forgetKeys();
}

bool ActionMap::keyDown(sf::Keyboard::Key key) const
{
    if (key < 0 || key >= sf::Keyboard::KeyCount)
        return isKeyDown(key);
    std::int8_t& known = asked[static_cast<std::size_t>(key)];
    if (known == Unasked)
        known = isKeyDown(key) ? 1 : 0;
    return known == 1;
}

void ActionMap::forgetKeys()
{
    asked.fill(Unasked);
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
    if (event.type == sf::Event::LostFocus || event.type == sf::Event::GainedFocus)
    {
        focused = event.type == sf::Event::GainedFocus;
        // Keys held or let go while the focus was elsewhere are found out when it comes back.
        forgetKeys();
    }
    else if (event.type == sf::Event::KeyPressed || event.type == sf::Event::KeyReleased)
    {
        if (event.key.code >= 0 && event.key.code < sf::Keyboard::KeyCount)
            asked[static_cast<std::size_t>(event.key.code)] = Unasked;
        else
            forgetKeys();
    }
    axisPresses.take(event);
    events.push_back(event);
}

bool ActionMap::isActive(const std::string& name) const
{
    const auto found = actions.find(name);
    if (found == actions.end())
        return false;
    const KeyState askedOnce = [this](sf::Keyboard::Key key) { return keyDown(key); };
    return found->second.isActive(ActionContext{events, axisPresses, askedOnce, joystick, focused});
}

} // namespace kit
