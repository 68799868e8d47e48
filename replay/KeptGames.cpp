#include "replay/KeptGames.hpp"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace
{

const std::string Ended = ".rec";
const std::string Partial = ".rec.partial";
constexpr std::size_t StampLength = 19; // 2026-12-10T14-03-22

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Where a kept game's name puts it among the others: its start time, then its count within that second. False for
// a file that is not a kept game's.
bool orderOf(const std::string& fileName, std::pair<std::string, int>& order)
{
    std::string name;
    if (endsWith(fileName, Partial))
        name = fileName.substr(0, fileName.size() - Partial.size());
    else if (endsWith(fileName, Ended))
        name = fileName.substr(0, fileName.size() - Ended.size());
    else
        return false;
    if (name.size() < StampLength)
        return false;
    const std::string shape = "dddd-dd-ddTdd-dd-dd";
    for (std::size_t i = 0; i < StampLength; ++i)
        if (shape[i] == 'd' ? std::isdigit(static_cast<unsigned char>(name[i])) == 0 : name[i] != shape[i])
            return false;
    int count = 1;
    if (name.size() > StampLength)
    {
        const std::string rest = name.substr(StampLength);
        if (rest.size() < 2 || rest.size() > 6 || rest[0] != '-' ||
            !std::all_of(rest.begin() + 1, rest.end(),
                         [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
            return false;
        count = std::stoi(rest.substr(1));
    }
    order = {name.substr(0, StampLength), count};
    return true;
}

std::string describe(const std::string& what, const fs::path& path, const std::error_code& error)
{
    return what + " \"" + path.string() + "\": " + error.message();
}

} // namespace

KeptGames::KeptGames(fs::path keptFolder)
    : folder(std::move(keptFolder))
{
}

std::string keptGameName(const std::tm& local)
{
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H-%M-%S", &local);
    return text;
}

fs::path KeptGames::begin(std::time_t start) const
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        throw KeptGamesError(describe("Cannot make the folder of kept games", folder, error));
    std::tm local{};
    localtime_r(&start, &local);
    const std::string name = keptGameName(local);
    for (int count = 1;; ++count)
    {
        const std::string stem = count == 1 ? name : name + "-" + std::to_string(count);
        fs::path partial = folder / (stem + Partial);
        if (!fs::exists(partial, error) && !fs::exists(folder / (stem + Ended), error))
            return partial;
    }
}

fs::path KeptGames::keep(const fs::path& partial) const
{
    std::string name = partial.filename().string();
    name.resize(name.size() - Partial.size() + Ended.size());
    fs::path ended = partial.parent_path() / name;
    std::error_code error;
    fs::rename(partial, ended, error);
    if (error)
        throw KeptGamesError(describe("Cannot keep the game", ended, error));
    std::vector<fs::path> games = list();
    for (std::size_t i = 0; i + Kept < games.size(); ++i)
    {
        fs::remove(games[i], error);
        if (error)
            throw KeptGamesError(describe("Cannot remove the old game", games[i], error));
    }
    return ended;
}

std::vector<fs::path> KeptGames::list() const
{
    std::vector<std::pair<std::pair<std::string, int>, fs::path>> games;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
    {
        std::pair<std::string, int> order;
        if (entry->is_regular_file(error) && orderOf(entry->path().filename().string(), order))
            games.emplace_back(order, entry->path());
    }
    std::sort(games.begin(), games.end());
    std::vector<fs::path> paths;
    paths.reserve(games.size());
    for (auto& game : games)
        paths.push_back(std::move(game.second));
    return paths;
}

fs::path KeptGames::newest() const
{
    const std::vector<fs::path> games = list();
    return games.empty() ? fs::path() : games.back();
}
