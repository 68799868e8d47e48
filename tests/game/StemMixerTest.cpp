#include "game/StemMixer.hpp"
#include "support/ScriptedTrack.hpp"

#include <gtest/gtest.h>

namespace
{

struct Stems
{
    ScriptedTrack top;
    ScriptedTrack bottom;
};

} // namespace

TEST(StemMixer, StartsWithTheStartingHalfLoud)
{
    Stems bottomStart;
    StemMixer toBottom(bottomStart.top, bottomStart.bottom, true);
    EXPECT_EQ(bottomStart.top.volume, 0.f);
    EXPECT_EQ(bottomStart.bottom.volume, 100.f);

    Stems topStart;
    StemMixer toTop(topStart.top, topStart.bottom, false);
    EXPECT_EQ(topStart.top.volume, 100.f);
    EXPECT_EQ(topStart.bottom.volume, 0.f);

    // Staying in the starting half holds the volumes, frame after frame, set every frame.
    for (int i = 0; i < 10; ++i)
        toBottom.fadeTowards(true);
    EXPECT_EQ(bottomStart.top.volume, 0.f);
    EXPECT_EQ(bottomStart.bottom.volume, 100.f);
    EXPECT_EQ(bottomStart.top.volumeSets, 11);
}

TEST(StemMixer, CrossFadesTwoPointsPerFrameBothWays)
{
    Stems stems;
    StemMixer mixer(stems.top, stems.bottom, true);
    for (int frame = 1; frame <= 50; ++frame)
    {
        mixer.fadeTowards(false);
        EXPECT_EQ(stems.top.volume, 2.f * frame);
        EXPECT_EQ(stems.bottom.volume, 100.f - 2.f * frame);
    }
    mixer.fadeTowards(false);
    EXPECT_EQ(stems.top.volume, 100.f);
    EXPECT_EQ(stems.bottom.volume, 0.f);

    for (int frame = 1; frame <= 50; ++frame)
        mixer.fadeTowards(true);
    EXPECT_EQ(stems.top.volume, 0.f);
    EXPECT_EQ(stems.bottom.volume, 100.f);
}

TEST(StemMixer, TurnsBackMidFadeAndNeverLeavesTheRange)
{
    Stems stems;
    StemMixer mixer(stems.top, stems.bottom, false);
    for (int i = 0; i < 10; ++i)
        mixer.fadeTowards(true);
    EXPECT_EQ(stems.top.volume, 80.f);
    mixer.fadeTowards(false); // the player turns back: the fade turns back from where it stands
    EXPECT_EQ(stems.top.volume, 82.f);
    EXPECT_EQ(stems.bottom.volume, 18.f);

    // A crossing back and forth every few frames keeps both stems within 0 to 100.
    for (int i = 0; i < 500; ++i)
    {
        mixer.fadeTowards((i / 7) % 2 == 0);
        EXPECT_GE(stems.top.volume, 0.f);
        EXPECT_LE(stems.top.volume, 100.f);
        EXPECT_GE(stems.bottom.volume, 0.f);
        EXPECT_LE(stems.bottom.volume, 100.f);
    }
}
