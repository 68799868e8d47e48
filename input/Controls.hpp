#pragma once

#include <SFML/Window/Keyboard.hpp>

#include <string>
#include <vector>

// The keys and pad buttons of the player's actions. The defaults are the game's own keys; a player's settings may
// give any action other keys or buttons. The D-pad and the left stick always move.
struct Controls
{
    std::vector<sf::Keyboard::Key> up{sf::Keyboard::Up, sf::Keyboard::W};
    std::vector<sf::Keyboard::Key> down{sf::Keyboard::Down, sf::Keyboard::S};
    std::vector<sf::Keyboard::Key> left{sf::Keyboard::Left, sf::Keyboard::A};
    std::vector<sf::Keyboard::Key> right{sf::Keyboard::Right, sf::Keyboard::D};
    std::vector<sf::Keyboard::Key> love{sf::Keyboard::LShift, sf::Keyboard::RShift};
    std::vector<sf::Keyboard::Key> close{sf::Keyboard::Escape};
    // SFML's button numbers: the south face button and both shoulders, and Back, on the common layout on Linux.
    std::vector<unsigned> padLove{0, 4, 5};
    std::vector<unsigned> padClose{6};

    bool operator==(const Controls& other) const;
    bool operator!=(const Controls& other) const { return !(*this == other); }
};

// The keyboard actions by their settings names, in the settings file's order, to read and write them by name.
struct KeyAction
{
    const char* name;
    std::vector<sf::Keyboard::Key> Controls::*keys;
};
extern const KeyAction KeyActions[6];

// The controls as one line of words, "up=Up,W ... pad.close=6", for a recording; and back. False for words that
// are not such a line (an unknown action, key or button).
std::string controlsText(const Controls& controls);
bool parseControls(const std::string& text, Controls& controls);
