#pragma once

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <functional>
#include <vector>

namespace kit
{

// What an action is judged against: the events of the last update, the live keyboard and whether the window has
// the keyboard focus.
struct ActionContext
{
    const std::vector<sf::Event>& events;
    const std::function<bool(sf::Keyboard::Key)>& isKeyDown;
    bool focused;
};

} // namespace kit
