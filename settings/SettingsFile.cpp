#include "settings/SettingsFile.hpp"

#include "app/PlayerFolders.hpp"
#include "app/fileProblem.hpp"
#include "input/KeyNames.hpp"

#include <SFML/Window/Joystick.hpp>
#include <toml++/toml.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

std::filesystem::path defaultSettingsPath()
{
    return configFolder() / "settings.toml";
}

bool isWindowKey(sf::Keyboard::Key key)
{
    return key == sf::Keyboard::F11 || key == sf::Keyboard::M;
}

namespace
{

std::string shown(const toml::node& node)
{
    std::ostringstream text;
    node.visit([&text](const auto& value) { text << value; });
    return text.str();
}

// Reads the parsed file into the settings, one table at a time, and says what it cannot use.
class SettingsReader
{
public:
    SettingsReader(const std::string& file, std::vector<std::string>& problems)
        : file(&file)
        , problems(&problems)
    {
    }

    void read(const toml::table& root, PlayerSettings& settings)
    {
        const PlayerSettings defaults;
        for (auto&& [key, node] : root)
        {
            const std::string name(key.str());
            if (name == "display")
                table(node, name,
                      {{"scale", [&](const toml::node& value, const std::string& path)
                        { whole(value, path, 1, MaxScale, settings.display.scale); }},
                       {"fullscreen", [&](const toml::node& value, const std::string& path)
                        { flag(value, path, settings.display.fullscreen); }},
                       {"max_fps", [&](const toml::node& value, const std::string& path)
                        { whole(value, path, -1, 1000, settings.display.maxFps); }}});
            else if (name == "sound")
                table(node, name,
                      {{"master", [&](const toml::node& value, const std::string& path)
                        { percent(value, path, settings.sound.master); }},
                       {"music", [&](const toml::node& value, const std::string& path)
                        { percent(value, path, settings.sound.music); }},
                       {"effects", [&](const toml::node& value, const std::string& path)
                        { percent(value, path, settings.sound.effects); }},
                       {"muted", [&](const toml::node& value, const std::string& path)
                        { flag(value, path, settings.sound.muted); }}});
            else if (name == "audio")
                table(node, name,
                      {{"offset_ms", [&](const toml::node& value, const std::string& path)
                        { whole(value, path, MinOffsetMs, MaxOffsetMs, settings.audio.offsetMs); }},
                       {"device_offsets", [&](const toml::node& value, const std::string& path)
                        { deviceOffsets(value, path, settings.audio.deviceOffsets); }}});
            else if (name == "controls")
                table(node, name, keyEntries(settings.controls));
            else if (name == "gamepad")
                table(node, name,
                      {{"love", [&](const toml::node& value, const std::string& path)
                        { buttons(value, path, settings.controls.padLove); }},
                       {"close", [&](const toml::node& value, const std::string& path)
                        { buttons(value, path, settings.controls.padClose); }}});
            else
                problem(node, "unknown setting \"" + name + "\"; it is left out");
        }
        resolveClashes(settings.controls, defaults.controls);
        // The tables come in the order of their names; the player reads the file in the order of its lines.
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& line : found)
            problems->push_back(std::move(line.second));
    }

private:
    using Entry = std::pair<const char*, std::function<void(const toml::node&, const std::string&)>>;

    void problem(const toml::node& where, const std::string& what)
    {
        found.emplace_back(where.source().begin.line,
                           *file + ":" + std::to_string(where.source().begin.line) + ": " + what);
    }

    void table(const toml::node& node, const std::string& name, const std::vector<Entry>& entries)
    {
        const toml::table* table = node.as_table();
        if (table == nullptr)
        {
            problem(node, name + " must be a table, [" + name + "]; it is left out");
            return;
        }
        for (auto&& [key, value] : *table)
        {
            const std::string path = name + "." + std::string(key.str());
            bool known = false;
            for (const Entry& entry : entries)
                if (key.str() == entry.first)
                {
                    entry.second(value, path);
                    known = true;
                }
            if (!known)
                problem(value, "unknown setting \"" + path + "\"; it is left out");
        }
    }

    void whole(const toml::node& node, const std::string& path, int low, int high, int& setting)
    {
        const std::optional<std::int64_t> value = node.value_exact<std::int64_t>();
        if (!value || *value < low || *value > high)
        {
            problem(node, path + " must be a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                              ", not " + shown(node) + "; it stays " + std::to_string(setting));
            return;
        }
        setting = static_cast<int>(*value);
    }

    void percent(const toml::node& node, const std::string& path, float& setting)
    {
        const std::optional<double> value = node.is_number() ? node.value<double>() : std::nullopt;
        if (!value || !(*value >= 0. && *value <= 100.))
        {
            problem(node, path + " must be a number from 0 to 100, not " + shown(node) + "; it stays " +
                              std::to_string(static_cast<int>(setting)));
            return;
        }
        setting = static_cast<float>(*value);
    }

    void flag(const toml::node& node, const std::string& path, bool& setting)
    {
        if (!node.is_boolean())
        {
            problem(node,
                    path + " must be true or false, not " + shown(node) + "; it stays " + (setting ? "true" : "false"));
            return;
        }
        setting = node.as_boolean()->get();
    }

    void deviceOffsets(const toml::node& node, const std::string& path, std::map<std::string, int>& offsets)
    {
        const toml::table* table = node.as_table();
        if (table == nullptr)
        {
            problem(node, path + " must be a table of device names and offsets; it is left out");
            return;
        }
        for (auto&& [key, value] : *table)
        {
            int offset = 0;
            const std::size_t before = found.size();
            whole(value, path + ".\"" + std::string(key.str()) + "\"", MinOffsetMs, MaxOffsetMs, offset);
            if (found.size() == before)
                offsets[std::string(key.str())] = offset;
        }
    }

    // A list of key names. A key that is unknown, or one of the window's own, spoils the whole list.
    void keys(const toml::node& node, const std::string& path, std::vector<sf::Keyboard::Key>& setting)
    {
        const toml::array* list = node.as_array();
        std::vector<sf::Keyboard::Key> read;
        if (list == nullptr)
        {
            problem(node, path + R"( must be a list of key names, such as ["Up", "W"]; it keeps its default keys)");
            return;
        }
        for (const toml::node& item : *list)
        {
            const std::optional<std::string> name = item.value_exact<std::string>();
            const sf::Keyboard::Key key = name ? keyFromName(*name) : sf::Keyboard::Unknown;
            if (key == sf::Keyboard::Unknown)
            {
                problem(item, path + " names " + shown(item) +
                                  ", which is no key name (they are SFML's: Up, W, LShift, Space, Num1, ...); " +
                                  "it keeps its default keys");
                return;
            }
            if (isWindowKey(key))
            {
                problem(item, path + " takes " + *name + ", which switches " +
                                  (key == sf::Keyboard::M ? "the sound on and off" : "to fullscreen") +
                                  " in every game; it keeps its default keys");
                return;
            }
            read.push_back(key);
        }
        setting = read;
        setLines[path] = &node;
    }

    void buttons(const toml::node& node, const std::string& path, std::vector<unsigned>& setting)
    {
        const toml::array* list = node.as_array();
        std::vector<unsigned> read;
        for (std::size_t i = 0; list != nullptr && i <= list->size(); ++i)
        {
            if (i == list->size())
            {
                setting = read;
                setLines[path] = &node;
                return;
            }
            const std::optional<std::int64_t> button = (*list)[i].value_exact<std::int64_t>();
            if (!button || *button < 0 || *button >= sf::Joystick::ButtonCount)
                break;
            read.push_back(static_cast<unsigned>(*button));
        }
        problem(node, path + " must be a list of button numbers from 0 to " +
                          std::to_string(sf::Joystick::ButtonCount - 1) + "; it keeps its default buttons");
    }

    std::vector<Entry> keyEntries(Controls& controls)
    {
        std::vector<Entry> entries;
        for (const KeyAction& action : KeyActions)
            entries.emplace_back(action.name,
                                 [this, &controls, &action](const toml::node& value, const std::string& path)
                                 { keys(value, path, controls.*action.keys); });
        return entries;
    }

    // One key on two actions, or one button: the action the player set (the later one, when both were) keeps its
    // defaults, which the defaults of the others never share.
    void resolveClashes(Controls& controls, const Controls& defaults)
    {
        std::vector<std::pair<std::string, std::vector<sf::Keyboard::Key>*>> keyLists;
        for (const KeyAction& action : KeyActions)
            keyLists.emplace_back(std::string("controls.") + action.name, &(controls.*action.keys));
        clashes(keyLists, defaults, [](sf::Keyboard::Key key) { return keyName(key); });
        std::vector<std::pair<std::string, std::vector<unsigned>*>> buttonLists{{"gamepad.love", &controls.padLove},
                                                                                {"gamepad.close", &controls.padClose}};
        clashes(buttonLists, defaults, [](unsigned button) { return "button " + std::to_string(button); });
    }

    template <typename T, typename Name>
    void clashes(const std::vector<std::pair<std::string, std::vector<T>*>>& lists, const Controls& defaults, Name name)
    {
        for (std::size_t i = lists.size(); i-- > 0;)
        {
            const auto set = setLines.find(lists[i].first);
            if (set == setLines.end())
                continue;
            const std::vector<T>& mine = *lists[i].second;
            for (std::size_t j = 0; j < lists.size(); ++j)
            {
                const std::vector<T>& theirs = *lists[j].second;
                const auto shared = std::find_first_of(mine.begin(), mine.end(), theirs.begin(), theirs.end());
                if (j == i || shared == mine.end())
                    continue;
                problem(*set->second, lists[i].first + " takes " + name(*shared) + ", which " + lists[j].first +
                                          " has too; it keeps its default");
                *lists[i].second = defaultOf(lists[i].first, defaults, T{});
                setLines.erase(set);
                break;
            }
        }
    }

    static std::vector<sf::Keyboard::Key> defaultOf(const std::string& path, const Controls& defaults,
                                                    sf::Keyboard::Key)
    {
        for (const KeyAction& action : KeyActions)
            if (path == std::string("controls.") + action.name)
                return defaults.*action.keys;
        return {};
    }

    static std::vector<unsigned> defaultOf(const std::string& path, const Controls& defaults, unsigned)
    {
        return path == "gamepad.love" ? defaults.padLove : defaults.padClose;
    }

    const std::string* file;
    std::vector<std::string>* problems;
    std::vector<std::pair<toml::source_index, std::string>> found;
    // The lists the player set, by their path, with the node to name in a message.
    std::map<std::string, const toml::node*> setLines;
};

} // namespace

PlayerSettings readSettings(const std::string& path, bool named, std::vector<std::string>& problems)
{
    PlayerSettings settings;
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    std::error_code ignored;
    if (!in || std::filesystem::is_directory(path, ignored))
    {
        const int error = errno;
        if (named || error != ENOENT)
            problems.push_back(path + ": cannot read the settings: " + fileProblem(path, error) +
                               "; every setting keeps its default");
        return settings;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    toml::table root;
    try
    {
        root = toml::parse(text, path);
    }
    catch (const toml::parse_error& error)
    {
        problems.push_back(path + ":" + std::to_string(error.source().begin.line) + ": " +
                           std::string(error.description()) +
                           "; the file is not read, every setting keeps its default");
        return settings;
    }
    SettingsReader(path, problems).read(root, settings);
    return settings;
}
