#include "input/Bindings.hpp"

using kit::Action;

void bindCloseAction(kit::ActionMap& actions)
{
    actions["close"] = Action(sf::Event::Closed) || Action(sf::Keyboard::Escape, Action::Hold);
}

void bindMainActions(kit::ActionMap& actions)
{
    // Presses, not holds: with key repeat off, one press is one move however long the key stays down.
    actions["up key"] = Action(sf::Keyboard::Up, Action::PressOnce) || Action(sf::Keyboard::W, Action::PressOnce);
    actions["down key"] = Action(sf::Keyboard::Down, Action::PressOnce) || Action(sf::Keyboard::S, Action::PressOnce);
    actions["left key"] = Action(sf::Keyboard::Left, Action::PressOnce) || Action(sf::Keyboard::A, Action::PressOnce);
    actions["right key"] = Action(sf::Keyboard::Right, Action::PressOnce) || Action(sf::Keyboard::D, Action::PressOnce);
    actions["move key"] = ((actions["up key"] || actions["down key"]) || actions["left key"]) || actions["right key"];
    actions["love"] =
        Action(sf::Keyboard::LShift, Action::PressOnce) || Action(sf::Keyboard::RShift, Action::PressOnce);
    actions["unlove"] =
        Action(sf::Keyboard::LShift, Action::ReleaseOnce) || Action(sf::Keyboard::RShift, Action::ReleaseOnce);
}
