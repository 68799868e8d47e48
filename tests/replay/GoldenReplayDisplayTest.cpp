// Golden replays: committed input scripts and the digest of every frame they played to when they were made. A change
// in the game's behaviour shows here as the first frame that parts, with the state that differs. After an intended
// change, scripts/regen_goldens.sh remakes the digests (it runs this test with BRINDLEWICK_REGEN_GOLDENS=1).

#include "replay/ReplaySession.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

const std::string GoldenFolder = std::string(BRINDLEWICK_SOURCE_DIR) + "/tests/replay/goldens/";

std::vector<std::string> playedDigests(const std::string& script, kit::MultiResourceCache& cache)
{
    ReplaySession session(ReplaySession::open(GoldenFolder + script), cache, MediaFolder());
    std::vector<std::string> digests;
    while (session.step())
        digests.push_back(digestText(session.getFrame().digest));
    return digests;
}

} // namespace

class GoldenReplay : public ::testing::TestWithParam<std::string>
{
};

TEST_P(GoldenReplay, EveryFrameMatchesItsCommittedDigest)
{
    kit::MultiResourceCache cache;
    const std::string name = GetParam();
    const std::vector<std::string> played = playedDigests(name + ".script", cache);
    const std::string goldenPath = GoldenFolder + name + ".digests";

    if (std::getenv("BRINDLEWICK_REGEN_GOLDENS"))
    {
        std::ofstream out(goldenPath);
        for (const std::string& digest : played)
            out << digest << '\n';
        ASSERT_TRUE(out.good()) << "could not write " << goldenPath;
        return;
    }

    std::ifstream in(goldenPath);
    ASSERT_TRUE(in) << goldenPath << " is missing: run scripts/regen_goldens.sh";
    std::vector<std::string> golden;
    for (std::string line; std::getline(in, line);)
        golden.push_back(line);

    for (std::size_t i = 0; i < golden.size() && i < played.size(); ++i)
    {
        if (golden[i] == played[i])
            continue;
        std::istringstream expectedWords(golden[i]);
        std::istringstream playedWords(played[i]);
        std::string expectedTotal;
        std::string playedTotal;
        std::array<std::string, StateDigest::PartCount> expectedParts;
        std::array<std::string, StateDigest::PartCount> playedParts;
        expectedWords >> expectedTotal;
        playedWords >> playedTotal;
        for (int part = 0; part < StateDigest::PartCount; ++part)
        {
            expectedWords >> expectedParts[static_cast<std::size_t>(part)];
            playedWords >> playedParts[static_cast<std::size_t>(part)];
        }
        StateDigest expected;
        StateDigest actual;
        ASSERT_TRUE(parseDigest(expectedTotal, expectedParts, expected)) << goldenPath << " line " << i + 1;
        parseDigest(playedTotal, playedParts, actual);
        FAIL() << name << ": frame " << i
               << " differs from the golden replay: " << describeDifference(expected, actual);
    }
    EXPECT_EQ(played.size(), golden.size()) << name << ": the game lasted another number of frames";
}

INSTANTIATE_TEST_SUITE_P(Scripts, GoldenReplay, ::testing::Values("dash_and_love"));

// The same script played twice in one process gives the same frames: nothing outside the file leaks in.
TEST(ScriptedReplay, PlaysTheSameTwiceAndEndsWithItsMusic)
{
    kit::MultiResourceCache cache;
    const std::vector<std::string> first = playedDigests("dash_and_love.script", cache);
    const std::vector<std::string> second = playedDigests("dash_and_love.script", cache);
    EXPECT_EQ(first, second);
    // 14 s of music at 60 frames a second, and the frame that sees it stop.
    EXPECT_NEAR(static_cast<double>(first.size()), 14.0 * 60.0 + 1.0, 2.0);
}
