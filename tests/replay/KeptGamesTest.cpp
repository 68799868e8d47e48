#include "replay/KeptGames.hpp"

#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace
{

class KeptGamesFolder : public ::testing::Test
{
protected:
    // A game played to its end, begun at `start`.
    fs::path play(const KeptGames& kept, std::time_t start)
    {
        const fs::path partial = kept.begin(start);
        std::ofstream(partial) << "brindlewick-replay 1\n";
        return kept.keep(partial);
    }

    TempFolder temp;
    const fs::path& root = temp.get();
};

// 14:03:22 on 10 December 2026, local time, and the seconds after it.
std::time_t localTime(int second)
{
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 10;
    local.tm_hour = 14;
    local.tm_min = 3;
    local.tm_sec = 22 + second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

} // namespace

TEST_F(KeptGamesFolder, aGameIsNamedByItsLocalStartAndIsPartialUntilItEnds)
{
    const KeptGames kept(root / "state/brindlewick/games");
    EXPECT_TRUE(kept.newest().empty());

    const fs::path partial = kept.begin(localTime(0));
    EXPECT_EQ(partial, kept.getFolder() / "2026-12-10T14-03-22.rec.partial");
    EXPECT_TRUE(fs::is_directory(kept.getFolder()));
    std::ofstream(partial) << "frames";
    // A game that never ended is still the newest, for "last".
    EXPECT_EQ(kept.newest(), partial);
    // Another game begun in the same second takes the next name.
    EXPECT_EQ(kept.begin(localTime(0)).filename(), "2026-12-10T14-03-22-2.rec.partial");

    EXPECT_EQ(kept.keep(partial), kept.getFolder() / "2026-12-10T14-03-22.rec");
    EXPECT_FALSE(fs::exists(partial));
    EXPECT_EQ(kept.begin(localTime(0)).filename(), "2026-12-10T14-03-22-2.rec.partial");
}

TEST_F(KeptGamesFolder, theTenNewestAreKeptAndNothingElseInTheFolderIsTouched)
{
    const KeptGames kept(root / "games");
    fs::create_directories(kept.getFolder());
    for (const char* other : {"notes.txt", "mine.rec", "2026-12-10T14-03.rec", "2020-01-01T00-00-00.rec.bak"})
        std::ofstream(kept.getFolder() / other) << "the player's";

    for (int game = 0; game < 10; ++game)
        play(kept, localTime(2 * game));
    // Two in one second: the second counts as the later one.
    play(kept, localTime(18));
    const std::vector<fs::path> games = kept.list();
    ASSERT_EQ(games.size(), KeptGames::Kept);
    EXPECT_EQ(games.front().filename(), "2026-12-10T14-03-24.rec"); // the oldest went
    EXPECT_EQ(games[8].filename(), "2026-12-10T14-03-40.rec");
    EXPECT_EQ(kept.newest().filename(), "2026-12-10T14-03-40-2.rec");
    for (const char* other : {"notes.txt", "mine.rec", "2026-12-10T14-03.rec", "2020-01-01T00-00-00.rec.bak"})
        EXPECT_TRUE(fs::exists(kept.getFolder() / other)) << other;
}

TEST_F(KeptGamesFolder, aFolderThatCannotBeMadeSaysWhy)
{
    std::ofstream(root / "file") << "in the way";
    const KeptGames kept(root / "file/brindlewick/games");
    try
    {
        kept.begin(localTime(0));
        ADD_FAILURE() << "made a folder below a file";
    }
    catch (const KeptGamesError& error)
    {
        EXPECT_NE(std::string(error.what()).find("Not a directory"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(kept.list().empty());
}
