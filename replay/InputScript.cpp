#include "replay/InputScript.hpp"

#include "replay/ReplayFormatError.hpp"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

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

std::vector<std::string> splitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

// Music times are written as plain decimals; anything else (hex, exponents, inf) is a typing slip.
bool parseSeconds(const std::string& text, sf::Time& time)
{
    if (text.empty() || text.size() > 16)
        return false;
    for (char c : text)
        if ((c < '0' || c > '9') && c != '.')
            return false;
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(seconds) || seconds > 24.0 * 3600.0)
        return false;
    time = sf::microseconds(static_cast<sf::Int64>(std::llround(seconds * 1e6)));
    return true;
}

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

bool isInputScriptStart(const std::string& firstLine)
{
    return firstLine.compare(0, 5, "seed ") == 0 || firstLine == "seed";
}

InputScript readInputScript(std::istream& in, const std::string& name)
{
    InputScript script;
    std::string line;
    std::size_t number = 0;
    const auto fail = [&](const std::string& what) { throw ReplayFormatError(name, number, what); };

    while (std::getline(in, line))
    {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::vector<std::string> words = splitWords(line);
        if (number == 1)
        {
            char* end = nullptr;
            errno = 0;
            const unsigned long long seed = words.size() == 2 ? std::strtoull(words[1].c_str(), &end, 10) : 0ull;
            if (words.size() != 2 || words[0] != "seed" || words[1][0] == '-' || *end != '\0' || errno != 0 ||
                seed > 4294967295ull)
                fail("not an input script: the first line must be \"seed\" and a whole number");
            script.seed = static_cast<std::uint32_t>(seed);
            continue;
        }
        if (words.empty() || words[0][0] == '#')
            continue;
        InputScript::Step step;
        step.line = number;
        if (words.size() != 3 || !parseSeconds(words[0], step.at))
            fail("not a step: expected a time in seconds, press, down or up, and a key (\"1.25 press Right\")");
        if (words[1] == "press")
            step.action = InputScript::Action::Press;
        else if (words[1] == "down")
            step.action = InputScript::Action::Down;
        else if (words[1] == "up")
            step.action = InputScript::Action::Up;
        else
            fail("unknown action \"" + words[1].substr(0, 20) + "\": press, down or up");
        step.key = keyFromName(words[2]);
        if (step.key == sf::Keyboard::Unknown)
            fail("unknown key \"" + words[2].substr(0, 20) + "\"");
        if (!script.steps.empty() && step.at < script.steps.back().at)
            fail("a step earlier than the one before it");
        script.steps.push_back(step);
    }
    if (number == 0)
        throw ReplayFormatError(name, 1, "an empty file, not an input script");
    return script;
}
