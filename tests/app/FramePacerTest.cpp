#include "app/FramePacer.hpp"

#include "support/ScriptedTime.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace
{

const sf::Time Frame60 = sf::microseconds(16667);
const sf::Time Nap = sf::microseconds(50);

// A frame loop on a scripted clock: each frame's work takes its time, the pacer's sleeps wake `late` after the time
// they asked for, and its naps on the clock take 50 us.
struct ScriptedLoop
{
    ScriptedLoop(int maxFps, double displayRate, sf::Time sleepLate)
        : late(sleepLate)
        , pacer(
              maxFps,
              [this, displayRate]
              {
                  ++rateAsked;
                  return displayRate;
              },
              time.source(),
              [this](sf::Time asked)
              {
                  if (asked > sf::Time::Zero)
                      ++sleeps;
                  time.advance(asked > sf::Time::Zero ? asked + late : Nap);
              })
    {
    }

    // The start of every frame until `length`; `work` gives each frame's work by its start.
    template <typename Work>
    std::vector<sf::Time> run(sf::Time length, Work work)
    {
        std::vector<sf::Time> starts;
        while (time.get() < length)
        {
            starts.push_back(time.get());
            time.advance(work(time.get()));
            pacer.wait();
        }
        return starts;
    }

    ScriptedTime time;
    sf::Time late;
    int rateAsked = 0;
    int sleeps = 0;
    FramePacer pacer;
};

} // namespace

TEST(FramePacer, PacesFramesThatComeFasterThanTheDisplayAndHoldsTheDeadline)
{
    struct Case
    {
        int maxFps;
        double displayRate;
        sf::Int64 workUs;
        sf::Int64 lateUs; // how late the system wakes a sleep
        sf::Time interval;
        sf::Time pacedFrom;
    };
    const sf::Time second = sf::seconds(1.f);
    const Case cases[] = {
        {0, 0., 3000, 0, Frame60, second},    // Xvfb: no rate known, 60 Hz
        {0, 0., 3000, 800, Frame60, second},  // a sleep that wakes late
        {0, 0., 3000, 2500, Frame60, second}, // later than the first margin: the margin grows
        {0, 144., 1000, 300, sf::microseconds(6944), second},
        {0, 5., 3000, 0, Frame60, second},                        // an implausible rate counts as unknown
        {30, 0., 3000, 500, sf::microseconds(33333), sf::Time()}, // a cap from the first frame; no rate asked
        {0, 60., 16667, 0, sf::Time(), sf::Time()},               // vertical sync paces the frames
        {0, 144., 6944, 0, sf::Time(), sf::Time()},
        {0, 60., 12000, 0, sf::Time(), sf::Time()}, // 83 a second: a missed refresh now and then, not a spin
        {-1, 60., 3000, 0, sf::Time(), sf::Time()}, // unpaced by the player's choice
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.maxFps << " fps, display " << c.displayRate << " Hz, work " << c.workUs
                                        << " us, late " << c.lateUs << " us");
        ScriptedLoop loop(c.maxFps, c.displayRate, sf::microseconds(c.lateUs));
        const sf::Time work = sf::microseconds(c.workUs);
        const std::vector<sf::Time> starts = loop.run(sf::seconds(3.f), [&](sf::Time) { return work; });
        EXPECT_EQ(loop.rateAsked, c.maxFps == 0 ? 1 : 0);
        EXPECT_EQ(loop.pacer.getInterval(), c.interval);
        if (c.interval == sf::Time::Zero)
        {
            EXPECT_EQ(loop.sleeps, 0);
        }
        // Unpaced frames follow their work; the last of them ends where the paced frames' deadlines begin, one
        // interval apart. No frame starts before its deadline, and once the margin has settled none more than a
        // millisecond after it.
        std::size_t anchor = 0;
        for (std::size_t i = 1; i < starts.size(); ++i)
            if (starts[i] - starts[i - 1] == work)
                anchor = i;
        if (c.interval == sf::Time::Zero)
        {
            EXPECT_EQ(anchor, starts.size() - 1);
            continue;
        }
        EXPECT_NEAR(starts[anchor].asSeconds(), c.pacedFrom.asSeconds(), 0.01);
        for (std::size_t i = anchor + 1; i < starts.size(); ++i)
        {
            const sf::Time deadline = starts[anchor] + c.interval * static_cast<sf::Int64>(i - anchor);
            ASSERT_GE(starts[i], deadline) << "frame " << i;
            if (starts[i] > starts[anchor] + sf::milliseconds(250))
            {
                ASSERT_LE(starts[i] - deadline, sf::milliseconds(1)) << "frame " << i;
            }
        }
    }
}

TEST(FramePacer, AStallNeitherHidesASpinNorIsMadeUpForAfterwards)
{
    ScriptedLoop loop(0, 60., sf::microseconds(200));
    // 3 ms frames, but one of 0.9 s early in the first second (frames counted there would say 30 a second) and one
    // of 2 s once paced.
    sf::Time stall;
    int stalls = 0;
    const auto work = [&](sf::Time start)
    {
        if (stalls == 2 || start < (stalls == 0 ? sf::milliseconds(50) : sf::seconds(2.f)))
            return sf::milliseconds(3);
        stall = start;
        return ++stalls == 1 ? sf::milliseconds(900) : sf::seconds(2.f);
    };
    const std::vector<sf::Time> starts = loop.run(sf::seconds(5.f), work);
    EXPECT_EQ(loop.pacer.getInterval(), Frame60);
    // After the stall the next frame comes at once, and then the pace again, with no short frames to catch up.
    const auto stalled = std::find(starts.begin(), starts.end(), stall);
    ASSERT_LT(stalled + 2, starts.end());
    EXPECT_EQ(*(stalled + 1), stall + sf::seconds(2.f));
    for (auto frame = stalled + 2; frame != starts.end(); ++frame)
        ASSERT_LE(std::abs((*frame - *(frame - 1) - Frame60).asMicroseconds()), 1000)
            << (*frame - stall).asMicroseconds();
}

TEST(FramePacer, AWatchShowsFramesAtMostAtTheDisplaysRate)
{
    struct Case
    {
        int maxFps;
        sf::Int64 everyUs; // the recording's frames
        sf::Int64 jitterUs;
        int shownInTwoSeconds;
    };
    const Case cases[] = {
        {0, 2700, 0, 120},     // a recording made without vertical sync, shown at 60 Hz
        {0, 16667, 1000, 120}, // at the display's own rate every frame is shown, jitter and all
        {30, 2700, 0, 60},
        {-1, 2700, 0, 741},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.maxFps << " fps, a frame every " << c.everyUs << " us");
        ScriptedLoop loop(c.maxFps, 0., sf::Time::Zero);
        std::vector<sf::Time> shown;
        for (int frame = 0; frame * c.everyUs < 2000000; ++frame)
        {
            loop.time.set(sf::microseconds(frame * c.everyUs + (frame % 2 == 0 ? c.jitterUs : -c.jitterUs)));
            if (loop.pacer.showNow())
                shown.push_back(loop.time.get());
        }
        EXPECT_NEAR(static_cast<double>(shown.size()), c.shownInTwoSeconds, 1.);
        for (std::size_t i = 1; i < shown.size() && c.maxFps >= 0; ++i)
            ASSERT_GE(shown[i] - shown[i - 1], loop.pacer.getInterval() / sf::Int64(2)) << "frame " << i;
        EXPECT_EQ(loop.sleeps, 0);
    }
}
