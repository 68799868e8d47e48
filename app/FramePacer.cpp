#include "app/FramePacer.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{

// Frames are measured for this long before the pace is chosen, and they must come this many times faster than the
// display refreshes to count as unpaced: vertical sync that misses a refresh now and then comes nowhere near it.
const sf::Time MeasuredTime = sf::seconds(1.f);
constexpr double UnpacedFactor = 1.5;
// More frames than this in the first second is far beyond any display, so the pace is chosen at once.
constexpr std::size_t MostMeasuredFrames = 2048;

constexpr double FallbackRate = 60.;
constexpr double LeastPlausibleRate = 20.;
constexpr double MostPlausibleRate = 1000.;

// The sleep ends this long before the deadline at first. Each time it wakes later than that allows, the margin grows
// at once to what it took plus a guard, and otherwise it eases back, so a busy machine costs a little more waiting
// on the clock instead of late frames.
const sf::Time FirstMargin = sf::milliseconds(1);
const sf::Time LeastMargin = sf::microseconds(500);
const sf::Time MostMargin = sf::milliseconds(4);
const sf::Time MarginGuard = sf::microseconds(250);

sf::Time periodOf(double rate)
{
    return sf::microseconds(static_cast<sf::Int64>(std::llround(1e6 / rate)));
}

} // namespace

FramePacer::FramePacer(int maxFps, RefreshRate displayRate, kit::TimeSource timeSource, Sleep sleepFor)
    : state(maxFps == 0  ? State::Measuring
            : maxFps > 0 ? State::Paced
                         : State::Unpaced)
    , refreshRate(std::move(displayRate))
    , now(std::move(timeSource))
    , sleep(std::move(sleepFor))
    , interval(maxFps > 0 ? periodOf(maxFps) : sf::Time::Zero)
    , margin(FirstMargin)
{
    if (state == State::Measuring)
        measured.reserve(MostMeasuredFrames);
}

sf::Time FramePacer::intervalFor(double rate)
{
    return periodOf(rate >= LeastPlausibleRate && rate <= MostPlausibleRate ? rate : FallbackRate);
}

void FramePacer::wait()
{
    const sf::Time time = now();
    if (state == State::Measuring)
    {
        measure(time);
        return;
    }
    if (state != State::Paced)
        return;
    // A frame that took longer than its interval starts the next one at once: late frames are not made up for
    // with short ones.
    deadline += interval;
    if (!anchored || deadline <= time)
    {
        deadline = time;
        anchored = true;
        return;
    }
    sleepUntil(deadline);
}

bool FramePacer::showNow()
{
    if (state == State::Measuring)
        paceAtDisplayRate();
    if (state != State::Paced)
        return true;
    const sf::Time time = now();
    if (!anchored)
    {
        deadline = time;
        anchored = true;
    }
    if (time < deadline - interval / sf::Int64(2))
        return false;
    // Far behind (the watch was held up): the pace starts again from this frame.
    deadline = time - deadline > interval / sf::Int64(2) ? time + interval : deadline + interval;
    return true;
}

void FramePacer::measure(sf::Time time)
{
    if (!anchored)
    {
        firstFrame = time;
        lastFrame = time;
        anchored = true;
        return;
    }
    measured.push_back(time - lastFrame);
    lastFrame = time;
    if (time - firstFrame < MeasuredTime && measured.size() < MostMeasuredFrames)
        return;

    // The typical frame, not the mean: one long frame (a stall, the window's first showing) must not hide a spin.
    const auto middle = measured.begin() + static_cast<std::ptrdiff_t>(measured.size() / 2);
    std::nth_element(measured.begin(), middle, measured.end());
    const sf::Time typical = *middle;
    measured = std::vector<sf::Time>();
    const sf::Time display = intervalFor(refreshRate ? refreshRate() : 0.);
    if (typical.asSeconds() * UnpacedFactor >= display.asSeconds())
    {
        state = State::Unpaced;
        return;
    }
    state = State::Paced;
    interval = display;
    deadline = time;
}

void FramePacer::paceAtDisplayRate()
{
    state = State::Paced;
    interval = intervalFor(refreshRate ? refreshRate() : 0.);
    measured = std::vector<sf::Time>();
}

void FramePacer::sleepUntil(sf::Time time)
{
    const sf::Time early = time - margin;
    sf::Time woke = now();
    if (woke < early)
    {
        sleep(early - woke);
        woke = now();
        const sf::Time needed = woke - early + MarginGuard;
        margin = needed > margin ? needed : margin - (margin - needed) / sf::Int64(16);
        margin = std::min(std::max(margin, LeastMargin), MostMargin);
    }
    // The last stretch on the monotonic clock itself, in the shortest naps the system gives.
    while (woke < time)
    {
        sleep(sf::Time::Zero);
        woke = now();
    }
}
