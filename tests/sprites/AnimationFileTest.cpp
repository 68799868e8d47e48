#include "sprites/Animation.hpp"
#include "sprites/TempAnimationFile.hpp"
#include "support/ScriptedTime.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

// A file of the given text, read on a scripted clock.
class AnimationFile : public TempAnimationFile
{
public:
    using TempAnimationFile::TempAnimationFile;

    std::vector<Animation> read() const
    {
        std::vector<Animation> animations;
        loadAnimations(name(), animations, time.source());
        return animations;
    }

    ScriptedTime time;
};

std::vector<Animation> read(const std::string& text)
{
    return AnimationFile(text).read();
}

template <typename Error>
std::string errorOf(const std::string& text)
{
    try
    {
        read(text);
    }
    catch (const Error& error)
    {
        return error.what();
    }
    return "no error";
}

void expectFrames(const Animation& animation, const std::vector<sf::IntRect>& rects)
{
    ASSERT_EQ(animation.frames.size(), rects.size()) << animation.name;
    for (std::size_t i = 0; i < rects.size(); ++i)
    {
        EXPECT_EQ(animation.frames[i].rect, rects[i]) << animation.name << " frame " << i;
        EXPECT_EQ(animation.frames[i].relativeDuration, 1.f);
    }
}

} // namespace

TEST(AnimationFile, recordMakesOneFramePerCellOfItsRow)
{
    const auto animations = read("32 32 run 2 3 12");
    ASSERT_EQ(animations.size(), 1u);
    const Animation& run = animations[0];
    EXPECT_EQ(run.name, "run");
    EXPECT_EQ(run.fps, 12.f);
    expectFrames(run, {{0, 64, 32, 32}, {32, 64, 32, 32}, {64, 64, 32, 32}});
    EXPECT_EQ(run.currentFrame, 0);
    EXPECT_EQ(run.endMode, Loop);
    EXPECT_FALSE(run.finished);
}

TEST(AnimationFile, recordsMaySpanAndShareLines)
{
    const auto animations = read("  16\t8\n\nwalk 0\n 2\n\t5 jump 1 1 3 idle\t3 1 1\n");
    ASSERT_EQ(animations.size(), 3u);
    expectFrames(animations[0], {{0, 0, 16, 8}, {16, 0, 16, 8}});
    EXPECT_EQ(animations[0].fps, 5.f);
    expectFrames(animations[1], {{0, 8, 16, 8}});
    expectFrames(animations[2], {{0, 24, 16, 8}});
}

TEST(AnimationFile, sizesAloneGiveNoAnimations)
{
    EXPECT_TRUE(read("32 32").empty());
    EXPECT_TRUE(read("32 32\n").empty());
}

TEST(AnimationFile, lastSpeedIsKeptWithOrWithoutFinalLineBreak)
{
    for (const std::string text : {"8 8 a 0 1 7", "8 8 a 0 1 7\n"})
    {
        const auto animations = read(text);
        ASSERT_EQ(animations.size(), 1u) << text;
        EXPECT_EQ(animations[0].fps, 7.f) << text;
    }
}

TEST(AnimationFile, recordCutShortByEndOfFileIsKeptWithZeros)
{
    auto animations = read("8 8 run 1 2 6\nidle");
    ASSERT_EQ(animations.size(), 2u);
    EXPECT_EQ(animations[1].name, "idle");
    EXPECT_TRUE(animations[1].frames.empty());
    EXPECT_EQ(animations[1].fps, 0.f);

    animations = read("8 8 jump 3 2");
    ASSERT_EQ(animations.size(), 1u);
    expectFrames(animations[0], {{0, 24, 8, 8}, {8, 24, 8, 8}});
    EXPECT_EQ(animations[0].fps, 0.f);

    animations = read("8 8 fall 3\n");
    ASSERT_EQ(animations.size(), 1u);
    EXPECT_TRUE(animations[0].frames.empty());
}

TEST(AnimationFile, countsAndRowsAreCutTowardZero)
{
    const auto animations = read("10 10 none 0 0 1 negative 0 -3 1 almost 2.9 4.99 1 small 1 -0.5 1");
    ASSERT_EQ(animations.size(), 4u);
    EXPECT_TRUE(animations[0].frames.empty());
    EXPECT_TRUE(animations[1].frames.empty());
    expectFrames(animations[2], {{0, 20, 10, 10}, {10, 20, 10, 10}, {20, 20, 10, 10}, {30, 20, 10, 10}});
    EXPECT_TRUE(animations[3].frames.empty());
}

TEST(AnimationFile, numbersFollowTheStandardConversions)
{
    // Exponents, signs and trailing characters after a leading number are all accepted.
    const auto animations = read("+12px -6 spin 1e0 2.0e0 1e1 slow 2x 1frames 0.5fps");
    ASSERT_EQ(animations.size(), 2u);
    EXPECT_EQ(animations[0].fps, 10.f);
    expectFrames(animations[0], {{0, -6, 12, -6}, {12, -6, 12, -6}});
    EXPECT_EQ(animations[1].fps, 0.5f);
    expectFrames(animations[1], {{0, -12, 12, -6}});
}

TEST(AnimationFile, repeatedNamesAllStayInFileOrder)
{
    const auto animations = read("4 4 hop 0 1 1 hop 1 2 2 land 0 1 1 hop 2 1 3");
    ASSERT_EQ(animations.size(), 4u);
    EXPECT_EQ(animations[0].name, "hop");
    EXPECT_EQ(animations[0].fps, 1.f);
    EXPECT_EQ(animations[1].name, "hop");
    EXPECT_EQ(animations[1].fps, 2.f);
    EXPECT_EQ(animations[2].name, "land");
    EXPECT_EQ(animations[3].name, "hop");
    EXPECT_EQ(animations[3].fps, 3.f);
}

TEST(AnimationFile, appendsAfterTheAnimationsAlreadyInTheList)
{
    AnimationFile file("4 4 new 0 1 1");
    std::vector<Animation> animations{Animation("old", file.time.source())};
    loadAnimations(file.name(), animations, file.time.source());
    ASSERT_EQ(animations.size(), 2u);
    EXPECT_EQ(animations[0].name, "old");
    EXPECT_EQ(animations[1].name, "new");
}

TEST(AnimationFile, missingFileLeavesTheListAsItWas)
{
    std::vector<Animation> animations{Animation("kept")};
    loadAnimations("no/such/animations.txt", animations);
    ASSERT_EQ(animations.size(), 1u);
    EXPECT_EQ(animations[0].name, "kept");
}

TEST(AnimationFile, folderIsNoFileAndLeavesTheListAsItWas)
{
    std::vector<Animation> animations;
    loadAnimations(std::filesystem::temp_directory_path().string(), animations);
    EXPECT_TRUE(animations.empty());
}

TEST(AnimationFile, loadedClocksRunOnTheGivenTimeSource)
{
    AnimationFile file("4 4 tick 0 2 10");
    file.time.set(sf::seconds(3));
    auto animations = file.read();
    ASSERT_EQ(animations.size(), 1u);
    EXPECT_EQ(animations[0].getElapsedTime(), sf::Time::Zero);
    file.time.advance(sf::milliseconds(100));
    animations[0].update();
    EXPECT_EQ(animations[0].currentFrame, 1);
}

TEST(AnimationFile, badSizesThrowTheIntegerConversionErrors)
{
    EXPECT_EQ(errorOf<std::invalid_argument>(""), "stoi");
    EXPECT_EQ(errorOf<std::invalid_argument>("   \n"), "stoi");
    EXPECT_EQ(errorOf<std::invalid_argument>("32"), "stoi");
    EXPECT_EQ(errorOf<std::invalid_argument>("wide 32 run 0 1 1"), "stoi");
    EXPECT_EQ(errorOf<std::invalid_argument>("32 .5 run 0 1 1"), "stoi");
    EXPECT_EQ(errorOf<std::out_of_range>("2147483648 32"), "stoi");
    EXPECT_EQ(errorOf<std::out_of_range>("32 -99999999999"), "stoi");
}

TEST(AnimationFile, badRecordNumbersThrowTheFloatConversionErrors)
{
    EXPECT_EQ(errorOf<std::invalid_argument>("8 8 run top 1 1"), "stof");
    EXPECT_EQ(errorOf<std::invalid_argument>("8 8 run 0 many 1"), "stof");
    EXPECT_EQ(errorOf<std::invalid_argument>("8 8 run 0 1 fast"), "stof");
    EXPECT_EQ(errorOf<std::invalid_argument>("8 8 run 0 1 1 walk 0 1 -"), "stof");
    EXPECT_EQ(errorOf<std::out_of_range>("8 8 run 0 1 1e39"), "stof");
    EXPECT_EQ(errorOf<std::out_of_range>("8 8 run -1e40 1 1"), "stof");
}

TEST(AnimationFile, animationsBeforeAFaultStayInTheList)
{
    AnimationFile file("8 8 good 0 1 1 bad 0 x 1");
    std::vector<Animation> animations;
    EXPECT_THROW(loadAnimations(file.name(), animations, file.time.source()), std::invalid_argument);
    ASSERT_EQ(animations.size(), 1u);
    EXPECT_EQ(animations[0].name, "good");
}

// A float read for a row or count may be far beyond int, or not a number at all; cutting it to an int would be
// undefined, and a huge count would allocate without bound. These are refused like other numbers out of range.
TEST(AnimationFile, rowsAndCountsThatNoIntHoldsAreRefused)
{
    EXPECT_EQ(errorOf<std::out_of_range>("8 8 run 1e30 1 1"), "animation row out of range");
    EXPECT_EQ(errorOf<std::out_of_range>("8 8 run -inf 1 1"), "animation row out of range");
    EXPECT_EQ(errorOf<std::invalid_argument>("8 8 run nan 1 1"), "animation row is not a number");
    EXPECT_EQ(errorOf<std::out_of_range>("8 8 run 0 3e9 1"), "animation frame count out of range");
    EXPECT_EQ(errorOf<std::out_of_range>("8 8 run 0 inf 1"), "animation frame count out of range");
    EXPECT_EQ(errorOf<std::invalid_argument>("8 8 run 0 NAN 1"), "animation frame count is not a number");
}

TEST(AnimationFile, frameCountIsBoundedOverTheWholeFile)
{
    EXPECT_EQ(read("1 1 long 0 65536 1")[0].frames.size(), 65536u);
    EXPECT_EQ(errorOf<std::out_of_range>("1 1 long 0 65537 1"), "too many animation frames");
    EXPECT_EQ(errorOf<std::out_of_range>("1 1 a 0 40000 1 b 0 -5 1 c 0 30000 1"), "too many animation frames");
}

TEST(AnimationFile, rectanglesBeyondIntAreRefused)
{
    EXPECT_EQ(errorOf<std::out_of_range>("1000000 8 run 0 3000 1"), "animation frame rectangle out of range");
    EXPECT_EQ(errorOf<std::out_of_range>("8 -1000000 run 3000 1 1"), "animation frame rectangle out of range");
    // Without frames there is no rectangle, so a far row does no harm.
    const auto animations = read("8 1000000 far 1e6 0 1");
    ASSERT_EQ(animations.size(), 1u);
    EXPECT_TRUE(animations[0].frames.empty());
}

TEST(AnimationFile, oddSpeedsAreKeptAsRead)
{
    const auto animations = read("8 8 a 0 1 -3 b 0 1 inf c 0 1 nan");
    ASSERT_EQ(animations.size(), 3u);
    EXPECT_EQ(animations[0].fps, -3.f);
    EXPECT_TRUE(std::isinf(animations[1].fps));
    EXPECT_TRUE(std::isnan(animations[2].fps));
}
