#include "sprites/Animation.hpp"
#include "support/ScriptedTime.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{

// An animation of the given number of frames on a scripted clock, which starts at zero.
struct Played
{
    explicit Played(int frameCount, float fps = 10.f)
    {
        for (int i = 0; i < frameCount; ++i)
            animation.frames.push_back(Frame{1.f, sf::IntRect(i * 8, 0, 8, 8)});
        animation.fps = fps;
    }

    // Lets the time pass, then updates once.
    void after(sf::Time time)
    {
        clock.advance(time);
        animation.update();
    }

    ScriptedTime clock;
    Animation animation{"walk", clock.source()};
};

} // namespace

TEST(AnimationTiming, advancesAtExactlyTheFrameTimeAndRestartsTheClock)
{
    Played played(3);
    played.after(sf::milliseconds(99));
    EXPECT_EQ(played.animation.currentFrame, 0);
    EXPECT_EQ(played.animation.getElapsedTime(), sf::milliseconds(99));

    played.after(sf::milliseconds(1));
    EXPECT_EQ(played.animation.currentFrame, 1);
    EXPECT_EQ(played.animation.getElapsedTime(), sf::Time::Zero);
}

TEST(AnimationTiming, elapsedTimeCountsInWholeMilliseconds)
{
    Played played(3);
    played.after(sf::microseconds(99999));
    EXPECT_EQ(played.animation.currentFrame, 0);
    played.after(sf::microseconds(1));
    EXPECT_EQ(played.animation.currentFrame, 1);
}

TEST(AnimationTiming, advancesOneFrameAtMostAndDropsTheRest)
{
    Played played(4);
    played.after(sf::seconds(1));
    EXPECT_EQ(played.animation.currentFrame, 1);
    played.after(sf::milliseconds(99));
    EXPECT_EQ(played.animation.currentFrame, 1);
    played.after(sf::milliseconds(1));
    EXPECT_EQ(played.animation.currentFrame, 2);
}

TEST(AnimationTiming, rareUpdatesPlaySlowerInsteadOfSkipping)
{
    // 8 frames per second is 125 ms a frame; updates every 16 ms first see it at 128 ms.
    Played played(8, 8.f);
    std::vector<int> changes;
    for (int ms = 16; ms <= 400; ms += 16)
    {
        const int before = played.animation.currentFrame;
        played.after(sf::milliseconds(16));
        if (played.animation.currentFrame != before)
            changes.push_back(ms);
    }
    EXPECT_EQ(changes, (std::vector<int>{128, 256, 384}));
}

TEST(AnimationTiming, relativeDurationScalesTheFrameTime)
{
    Played played(2);
    played.animation.frames[0].relativeDuration = 2.5f;
    played.after(sf::milliseconds(249));
    EXPECT_EQ(played.animation.currentFrame, 0);
    played.after(sf::milliseconds(1));
    EXPECT_EQ(played.animation.currentFrame, 1);
}

TEST(AnimationTiming, loopReturnsToTheFirstFrame)
{
    Played played(2);
    played.after(sf::milliseconds(100));
    played.after(sf::milliseconds(100));
    EXPECT_EQ(played.animation.currentFrame, 0);
    EXPECT_FALSE(played.animation.finished);
}

TEST(AnimationTiming, stopOnLastHoldsTheLastFrameUntilReset)
{
    Played played(2);
    played.animation.setEndMode(StopOnLast);
    played.after(sf::milliseconds(100));
    played.after(sf::milliseconds(100));
    EXPECT_EQ(played.animation.currentFrame, 1);
    EXPECT_TRUE(played.animation.finished);

    played.after(sf::seconds(5));
    EXPECT_EQ(played.animation.currentFrame, 1);
    EXPECT_TRUE(played.animation.finished);

    played.animation.reset();
    EXPECT_EQ(played.animation.currentFrame, 0);
    EXPECT_FALSE(played.animation.finished);
    EXPECT_EQ(played.animation.getElapsedTime(), sf::Time::Zero);
    played.after(sf::milliseconds(100));
    EXPECT_EQ(played.animation.currentFrame, 1);
}

TEST(AnimationTiming, stopOnFirstFinishesOnTheFirstFrame)
{
    Played played(3);
    played.animation.setEndMode(StopOnFirst);
    for (int i = 0; i < 3; ++i)
        played.after(sf::milliseconds(100));
    EXPECT_EQ(played.animation.currentFrame, 0);
    EXPECT_TRUE(played.animation.finished);
    played.after(sf::milliseconds(100));
    EXPECT_EQ(played.animation.currentFrame, 0);
}

TEST(AnimationTiming, unknownEndModeStaysOnTheLastFrameWithTheClockRestarting)
{
    Played played(2);
    played.animation.setEndMode(5);
    played.after(sf::milliseconds(100));
    played.after(sf::milliseconds(130));
    EXPECT_EQ(played.animation.currentFrame, 1);
    EXPECT_FALSE(played.animation.finished);
    EXPECT_EQ(played.animation.getElapsedTime(), sf::Time::Zero);
}

TEST(AnimationTiming, oneFrameLoopStaysWithTheClockRestarting)
{
    Played played(1);
    played.after(sf::milliseconds(100));
    EXPECT_EQ(played.animation.currentFrame, 0);
    EXPECT_FALSE(played.animation.finished);
    EXPECT_EQ(played.animation.getElapsedTime(), sf::Time::Zero);
}

TEST(AnimationTiming, speedsAndDurationsThatAreNotPositiveNeverAdvance)
{
    for (const float fps : {0.f, -10.f, std::numeric_limits<float>::quiet_NaN()})
    {
        Played played(2, fps);
        played.after(sf::seconds(1000));
        EXPECT_EQ(played.animation.currentFrame, 0) << fps;
        // The clock is not restarted and keeps running.
        EXPECT_EQ(played.animation.getElapsedTime(), sf::seconds(1000)) << fps;
    }
    for (const float duration : {0.f, -1.f, std::numeric_limits<float>::quiet_NaN()})
    {
        Played played(2);
        played.animation.frames[0].relativeDuration = duration;
        played.after(sf::seconds(1000));
        EXPECT_EQ(played.animation.currentFrame, 0) << duration;
    }
}

TEST(AnimationTiming, withoutFramesNothingHappens)
{
    Played played(0);
    played.after(sf::seconds(1));
    EXPECT_EQ(played.animation.currentFrame, 0);
    EXPECT_FALSE(played.animation.getCurrentFrame().has_value());
    EXPECT_FALSE(played.animation.getFrame(0).has_value());
}

TEST(AnimationTiming, endAppliesTheEndModeWithoutTouchingTheClock)
{
    Played played(3);
    played.animation.setCurrentFrame(2);
    played.clock.advance(sf::milliseconds(40));
    played.animation.setEndMode(StopOnFirst);
    played.animation.end();
    EXPECT_EQ(played.animation.currentFrame, 0);
    EXPECT_TRUE(played.animation.finished);
    EXPECT_EQ(played.animation.getElapsedTime(), sf::milliseconds(40));
}

TEST(AnimationFrames, indexOutsideTheFramesGivesTheFirst)
{
    Played played(3);
    EXPECT_EQ(played.animation.getFrame(2)->rect, sf::IntRect(16, 0, 8, 8));
    EXPECT_EQ(played.animation.getFrame(3)->rect, sf::IntRect(0, 0, 8, 8));
    EXPECT_EQ(played.animation.getFrame(-1)->rect, sf::IntRect(0, 0, 8, 8));
    played.animation.setCurrentFrame(1);
    EXPECT_EQ(played.animation.getCurrentFrame()->rect, sf::IntRect(8, 0, 8, 8));
}

TEST(AnimationFrames, currentFrameOutsideTheFramesReadsTheFirstFramesTime)
{
    // The public field can be set past the end; the update then reads the first frame instead of past the list.
    Played played(2);
    played.animation.frames[0].relativeDuration = 2.f;
    played.animation.setCurrentFrame(7);
    played.after(sf::milliseconds(199));
    EXPECT_EQ(played.animation.currentFrame, 7);
    played.after(sf::milliseconds(1));
    EXPECT_EQ(played.animation.currentFrame, 0);
}
