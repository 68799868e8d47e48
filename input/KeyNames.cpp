#include "input/KeyNames.hpp"

namespace
{

// SFML 2.5's key names, in the order of sf::Keyboard::Key.
const char* const KeyNames[] = {
    "A",       "B",        "C",        "D",         "E",       "F",         "G",        "H",       "I",
    "J",       "K",        "L",        "M",         "N",       "O",         "P",        "Q",       "R",
    "S",       "T",        "U",        "V",         "W",       "X",         "Y",        "Z",       "Num0",
    "Num1",    "Num2",     "Num3",     "Num4",      "Num5",    "Num6",      "Num7",     "Num8",    "Num9",
    "Escape",  "LControl", "LShift",   "LAlt",      "LSystem", "RControl",  "RShift",   "RAlt",    "RSystem",
    "Menu",    "LBracket", "RBracket", "Semicolon", "Comma",   "Period",    "Quote",    "Slash",   "Backslash",
    "Tilde",   "Equal",    "Hyphen",   "Space",     "Enter",   "Backspace", "Tab",      "PageUp",  "PageDown",
    "End",     "Home",     "Insert",   "Delete",    "Add",     "Subtract",  "Multiply", "Divide",  "Left",
    "Right",   "Up",       "Down",     "Numpad0",   "Numpad1", "Numpad2",   "Numpad3",  "Numpad4", "Numpad5",
    "Numpad6", "Numpad7",  "Numpad8",  "Numpad9",   "F1",      "F2",        "F3",       "F4",      "F5",
    "F6",      "F7",       "F8",       "F9",        "F10",     "F11",       "F12",      "F13",     "F14",
    "F15",     "Pause",
};

static_assert(sizeof(KeyNames) / sizeof(KeyNames[0]) == sf::Keyboard::KeyCount, "one name for every key");

} // namespace

sf::Keyboard::Key keyFromName(const std::string& name)
{
    for (int i = 0; i < sf::Keyboard::KeyCount; ++i)
        if (name == KeyNames[i])
            return static_cast<sf::Keyboard::Key>(i);
    return sf::Keyboard::Unknown;
}

std::string keyName(sf::Keyboard::Key key)
{
    if (key < 0 || key >= sf::Keyboard::KeyCount)
        return "Unknown";
    return KeyNames[key];
}
