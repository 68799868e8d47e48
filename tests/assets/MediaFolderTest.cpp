#include "assets/MediaFolder.hpp"
#include "assets/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

void makeMedia(const fs::path& folder)
{
    fs::create_directories(folder / "images");
    fs::create_directories(folder / "sounds");
}

} // namespace

// The scratch folder is the working directory. In it: a folder the option names, one the variable names (holding
// the media directly), resources/ of the working directory, and an installed prefix with the executable.
TEST(MediaFolder, theSearchTakesTheFirstPlaceThatHoldsTheMediaInItsOrder)
{
    const ScratchFolder scratch;
    const std::string executable = (fs::current_path() / "prefix/lib/games/brindlewick/brindlewick").string();
    const MediaSearch search{"option", "variable", executable};

    // From the last place to the first: each search finds the place that was laid out last.
    for (const char* place : {"prefix/share/games/brindlewick/resources", "resources", "variable", "option/resources"})
    {
        makeMedia(place);
        std::string passedOver;
        const std::string found = findMediaFolder(search, passedOver).getPath();
        EXPECT_EQ(fs::canonical(found), fs::canonical(place)) << found;
        EXPECT_EQ(found.back(), '/');
    }

    // A file's path is the folder's followed by its place in the folder.
    const MediaFolder media("option/resources");
    EXPECT_EQ(media.image("player"), "option/resources/images/player.PNG");
    EXPECT_EQ(media.sound("music_base.wav"), "option/resources/sounds/music_base.wav");
    EXPECT_EQ(media.font(), "option/resources/FreePixel.ttf");
    EXPECT_EQ(MediaFolder().getPath(), "resources/");
}

TEST(MediaFolder, aNamedFolderWithoutMediaIsPassedOverAndNoneAtAllNamesEachPlace)
{
    const ScratchFolder scratch;
    fs::create_directories("empty");
    makeMedia("resources");
    std::string passedOver;
    EXPECT_EQ(findMediaFolder({"empty", "", ""}, passedOver).getPath(), "resources/");
    EXPECT_EQ(passedOver, "--data \"empty\" holds none of the game's media");
    findMediaFolder({"", "", ""}, passedOver);
    EXPECT_EQ(passedOver, "");

    // A folder with images/ alone is not the media's.
    fs::remove_all("resources/sounds");
    try
    {
        findMediaFolder({"empty", "/nowhere", "/opt/x/lib/games/brindlewick/brindlewick"}, passedOver);
        ADD_FAILURE() << "found media where there are none";
    }
    catch (const MediaNotFound& error)
    {
        const std::string message = error.what();
        for (const std::string& place : std::vector<std::string>{"--data \"empty\"", "BRINDLEWICK_DATA \"/nowhere\"",
                                                                 (fs::current_path() / "resources").string(),
                                                                 "\"/opt/x/share/games/brindlewick/resources/\""})
            EXPECT_NE(message.find(place), std::string::npos) << place << " in: " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos);
    }
}
