#include "replay/InputScript.hpp"

#include "replay/ReplayFormatError.hpp"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace
{

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
