#include "assets/MediaFolder.hpp"

#include "app/Settings.hpp"

#include <cstdlib>
#include <filesystem>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

MediaFolder::MediaFolder()
    : MediaFolder(RESOURCES_PATH)
{
}

MediaFolder::MediaFolder(std::string folder)
    : path(std::move(folder))
{
    if (path.empty())
        path = "./";
    if (path.back() != '/')
        path += '/';
}

std::string MediaFolder::image(const std::string& name) const
{
    return path + "images/" + name + ".PNG";
}

std::string MediaFolder::sound(const std::string& fileName) const
{
    return path + "sounds/" + fileName;
}

std::string MediaFolder::font() const
{
    return path + "FreePixel.ttf";
}

namespace
{

bool holdsMedia(const fs::path& folder)
{
    std::error_code error;
    return fs::is_directory(folder / "images", error) && fs::is_directory(folder / "sounds", error);
}

// A named folder is the media folder itself, or the data folder whose resources/ holds them.
bool findIn(const fs::path& named, fs::path& found)
{
    for (const fs::path& candidate : {named / RESOURCES_PATH, named})
        if (holdsMedia(candidate))
        {
            found = candidate;
            return true;
        }
    return false;
}

std::string inQuotes(const fs::path& path)
{
    return "\"" + path.lexically_normal().string() + "\"";
}

// "a", "a and b", "a, b and c".
std::string listOf(const std::vector<std::string>& items)
{
    std::string list;
    for (std::size_t i = 0; i < items.size(); ++i)
        list += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return list;
}

} // namespace

MediaFolder findMediaFolder(const MediaSearch& search, std::string& passedOver)
{
    // Each place as it is tried, for the messages.
    std::vector<std::string> looked;
    const auto inNamed = [&](const std::string& named, const std::string& what, fs::path& found)
    {
        if (named.empty())
            return false;
        if (findIn(named, found))
            return true;
        looked.push_back(what + " " + inQuotes(named));
        return false;
    };
    const auto passing = [&]
    {
        passedOver.clear();
        if (!looked.empty())
            passedOver = listOf(looked) + (looked.size() == 1 ? " holds" : " hold") + " none of the game's media";
    };
    fs::path found;
    if (inNamed(search.dataOption, "--data", found) || inNamed(search.environment, "BRINDLEWICK_DATA", found))
    {
        passing();
        return MediaFolder(found.string());
    }
    passing();
    // The working directory's folder keeps its relative name, so that messages name a file as the player would.
    if (holdsMedia(RESOURCES_PATH))
        return MediaFolder();
    std::error_code error;
    looked.push_back(inQuotes(fs::current_path(error) / RESOURCES_PATH));
    if (!search.executable.empty())
    {
        // lib/games/brindlewick/brindlewick and share/games/brindlewick/resources lie in the same prefix.
        const fs::path installed =
            (fs::path(search.executable).parent_path() / "../../../share/games/brindlewick" / RESOURCES_PATH)
                .lexically_normal();
        if (holdsMedia(installed))
            return MediaFolder(installed.string());
        looked.push_back(inQuotes(installed));
    }
    throw MediaNotFound("Cannot find the game's media (a folder with images/ and sounds/); looked in " +
                        listOf(looked));
}

MediaSearch mediaSearchFor(const std::string& dataOption)
{
    MediaSearch search;
    search.dataOption = dataOption;
    if (const char* environment = std::getenv("BRINDLEWICK_DATA"))
        search.environment = environment;
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        search.executable = executable.string();
    return search;
}
