#include "input/Controls.hpp"

#include "input/KeyNames.hpp"

#include <sstream>

const KeyAction KeyActions[6] = {{"up", &Controls::up},       {"down", &Controls::down}, {"left", &Controls::left},
                                 {"right", &Controls::right}, {"love", &Controls::love}, {"close", &Controls::close}};

bool Controls::operator==(const Controls& other) const
{
    return up == other.up && down == other.down && left == other.left && right == other.right && love == other.love &&
           close == other.close && padLove == other.padLove && padClose == other.padClose;
}

namespace
{

template <typename T, typename Name>
std::string joined(const std::vector<T>& items, Name name)
{
    std::string text;
    for (const T& item : items)
        text += (text.empty() ? "" : ",") + name(item);
    return text;
}

// "a,b,c" into its parts; an empty text is an empty list.
std::vector<std::string> parts(const std::string& text)
{
    std::vector<std::string> items;
    std::string item;
    std::istringstream in(text);
    while (std::getline(in, item, ','))
        items.push_back(item);
    return items;
}

bool parseButtons(const std::string& text, std::vector<unsigned>& buttons)
{
    buttons.clear();
    for (const std::string& part : parts(text))
    {
        if (part.empty() || part.size() > 2 || part.find_first_not_of("0123456789") != std::string::npos)
            return false;
        buttons.push_back(static_cast<unsigned>(std::stoul(part)));
    }
    return true;
}

} // namespace

std::string controlsText(const Controls& controls)
{
    std::string text;
    for (const KeyAction& action : KeyActions)
        text += std::string(text.empty() ? "" : " ") + action.name + "=" +
                joined(controls.*action.keys, [](sf::Keyboard::Key key) { return keyName(key); });
    const auto number = [](unsigned button) { return std::to_string(button); };
    text += " pad.love=" + joined(controls.padLove, number) + " pad.close=" + joined(controls.padClose, number);
    return text;
}

bool parseControls(const std::string& text, Controls& controls)
{
    std::istringstream in(text);
    std::string word;
    while (in >> word)
    {
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos)
            return false;
        const std::string name = word.substr(0, equals);
        const std::string value = word.substr(equals + 1);
        if (name == "pad.love" || name == "pad.close")
        {
            if (!parseButtons(value, name == "pad.love" ? controls.padLove : controls.padClose))
                return false;
            continue;
        }
        bool known = false;
        for (const KeyAction& action : KeyActions)
            if (name == action.name)
            {
                known = true;
                std::vector<sf::Keyboard::Key>& keys = controls.*action.keys;
                keys.clear();
                for (const std::string& part : parts(value))
                {
                    const sf::Keyboard::Key key = keyFromName(part);
                    if (key == sf::Keyboard::Unknown)
                        return false;
                    keys.push_back(key);
                }
            }
        if (!known)
            return false;
    }
    return true;
}
