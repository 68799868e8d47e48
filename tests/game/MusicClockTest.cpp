#include "game/MusicClock.hpp"
#include "game/BeatClock.hpp"
#include "support/ScriptedTime.hpp"
#include "support/ScriptedTrack.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace
{

const sf::Time Step = sf::microseconds(23220);
const sf::Time Latency = sf::microseconds(47400);

// A stem as the mixer reports it: its real position goes on with the time, the offset it gives only in whole
// mixing steps, and what it plays is heard a latency later.
struct SteppedStem
{
    ScriptedTrack track;
    ScriptedTime time;
    sf::Time position; // where the mixer really is

    explicit SteppedStem(sf::Time phase = sf::Time::Zero, sf::Time latency = Latency)
        : position(phase)
    {
        track.latency = latency;
        report();
    }

    void report() { track.offset = Step * (position.asMicroseconds() / Step.asMicroseconds()); }

    void advance(sf::Time dt)
    {
        time.advance(dt);
        position += dt;
        report();
    }

    sf::Time heard() const { return position - track.latency; }
};

// Frame lengths: a steady rate, or a jittery one drawn from a seeded generator.
struct Frames
{
    const char* name;
    sf::Int64 shortest; // microseconds
    sf::Int64 longest;
    int settledMs; // heard position from which it must be within a millisecond
};

const Frames FramePatterns[] = {{"unpaced, 370 a second", 2700, 2700, 500},
                                {"60 a second", 16667, 16667, 500},
                                {"jittery, 2 to 20 ms", 2000, 20000, 500},
                                {"30 a second", 33333, 33333, 1000}};

} // namespace

TEST(MusicClock, FollowsTheHeardMusicWithinAMillisecondAndNeverRunsBack)
{
    for (const Frames& frames : FramePatterns)
        for (const int phaseUs : {0, 7000, 15000, 23000})
        {
            SCOPED_TRACE(std::string(frames.name) + ", starting " + std::to_string(phaseUs) + " us into a step");
            SteppedStem stem(sf::microseconds(phaseUs));
            MusicClock clock(stem.track, stem.time.source());
            std::mt19937 rng(static_cast<unsigned>(phaseUs));
            std::uniform_int_distribution<sf::Int64> length(frames.shortest, frames.longest);
            sf::Time previous = clock.getHeardOffset();
            double worstAfterSettling = 0.0;
            while (stem.time.get() < sf::seconds(14.f))
            {
                stem.advance(sf::microseconds(length(rng)));
                clock.update();
                const sf::Time read = clock.getHeardOffset();
                ASSERT_GE(read, previous) << "ran back at " << stem.time.get().asMilliseconds() << " ms";
                previous = read;
                const double error = std::abs((read - stem.heard()).asSeconds()) * 1000.0;
                // Until it has seen the stem step a few times the clock cannot tell where in a step it is; from
                // 60 frames a second up it learns that before the first beat that releases a command.
                if (stem.heard() >= sf::milliseconds(frames.settledMs))
                    worstAfterSettling = std::max(worstAfterSettling, error);
                else
                    ASSERT_LT(error, 24.0);
            }
            EXPECT_LE(worstAfterSettling, 1.0);
        }
}

TEST(MusicClock, ReadsTheLatencyNowAndThenAndSlewsToAChangeOfIt)
{
    SteppedStem stem;
    MusicClock clock(stem.track, stem.time.source());
    const int atStart = stem.track.latencyReads;
    for (int i = 0; i < 370; ++i) // a second of unpaced frames
    {
        stem.advance(sf::microseconds(2700));
        clock.update();
    }
    EXPECT_LE(stem.track.latencyReads - atStart, 1);

    // The output is switched to one with more latency: the heard position slows down to it, it does not go back.
    stem.track.latency = Latency + sf::milliseconds(30);
    sf::Time previous = clock.getHeardOffset();
    for (int i = 0; i < 740; ++i)
    {
        stem.advance(sf::microseconds(2700));
        clock.update();
        ASSERT_GE(clock.getHeardOffset(), previous);
        previous = clock.getHeardOffset();
    }
    EXPECT_NEAR(clock.getHeardOffset().asSeconds(), stem.heard().asSeconds(), 0.001);
}

TEST(MusicClock, AStalledProcessCatchesUpAndAStalledStemIsWaitedFor)
{
    // The process stops for two seconds; the output keeps its own time, so the stem is two seconds on.
    {
        SteppedStem stem(sf::milliseconds(5));
        MusicClock clock(stem.track, stem.time.source());
        while (stem.time.get() < sf::seconds(4.f))
        {
            stem.advance(sf::microseconds(2700));
            clock.update();
        }
        stem.advance(sf::seconds(2.f));
        clock.update();
        EXPECT_NEAR(clock.getHeardOffset().asSeconds(), stem.heard().asSeconds(), 0.001);
    }
    // The stem's stream runs dry for two seconds and goes on from where it was: the clock waits for it and then
    // follows it again, without running back.
    {
        SteppedStem stem(sf::milliseconds(5));
        MusicClock clock(stem.track, stem.time.source());
        while (stem.time.get() < sf::seconds(4.f))
        {
            stem.advance(sf::microseconds(2700));
            clock.update();
        }
        const sf::Time stalledAt = clock.getHeardOffset();
        for (int i = 0; i < 740; ++i)
        {
            stem.time.advance(sf::microseconds(2700));
            clock.update();
        }
        EXPECT_LE(clock.getHeardOffset(), stalledAt + Step * sf::Int64(3)) << "ran on without the stem";
        sf::Time previous = clock.getHeardOffset();
        for (int i = 0; i < 370; ++i)
        {
            stem.advance(sf::microseconds(2700));
            clock.update();
            ASSERT_GE(clock.getHeardOffset(), previous);
            previous = clock.getHeardOffset();
        }
        EXPECT_NEAR(clock.getHeardOffset().asSeconds(), stem.heard().asSeconds(), 0.001);
    }
}

TEST(BeatClock, PulsesOnTheHeardBeatAndOnlyOnceAfterAStall)
{
    SteppedStem stem(sf::milliseconds(11));
    BeatClock beats(stem.track, stem.time.source());
    std::vector<double> pulses; // heard position, in ms, at each pulse's first frame
    bool wasOn = false;
    const auto frame = [&](sf::Time dt)
    {
        stem.advance(dt);
        beats.update();
        if (beats.isOnBeat() && !wasOn)
            pulses.push_back(stem.heard().asSeconds() * 1000.0);
        wasOn = beats.isOnBeat();
    };
    while (stem.time.get() < sf::seconds(4.f))
        frame(sf::microseconds(2700));
    // Every quarter second heard from the first on, each within a frame of it.
    ASSERT_EQ(pulses.size(), 15u);
    for (std::size_t i = 0; i < pulses.size(); ++i)
    {
        const double quarter = 250.0 * static_cast<double>(i + 1);
        EXPECT_GE(pulses[i], quarter - 1.0) << "pulse " << i;
        EXPECT_LE(pulses[i], quarter + 2.7 + 1.0) << "pulse " << i;
    }

    // Two seconds pass in one frame: at most one pulse for it (none when the beat is the one it was), then the
    // beats go on as heard, with no burst of the ones that were missed.
    pulses.clear();
    frame(sf::seconds(2.f));
    EXPECT_LE(pulses.size(), 1u);
    pulses.clear();
    const double resumed = stem.heard().asSeconds() * 1000.0;
    while (stem.time.get() < sf::seconds(7.f))
        frame(sf::microseconds(2700));
    ASSERT_GE(pulses.size(), 3u);
    for (std::size_t i = 0; i < pulses.size(); ++i)
    {
        const double quarter = 250.0 * (std::ceil(resumed / 250.0) + static_cast<double>(i));
        EXPECT_GE(pulses[i], quarter - 1.0) << "pulse " << i << " after the stall";
        EXPECT_LE(pulses[i], quarter + 2.7 + 1.0) << "pulse " << i << " after the stall";
    }
}
