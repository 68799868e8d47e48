#include "game/MusicClock.hpp"

#include <algorithm>
#include <utility>

namespace
{
// The mixer's step here: 1024 samples at 44.1 kHz.
const sf::Time MixingStep = sf::microseconds(23220);
// A stem that reports no step for two of them is held up (its stream ran dry, or it stopped); the clock does not
// run on ahead of it by more than that.
const sf::Time StallGuard = MixingStep * sf::Int64(2);
// In steady play the estimate moves by at most a step between updates; four steps is well past that and well short
// of a quarter-second beat, so a jump never skips a beat's pulse. Only a stall or a seek moves it that far.
const sf::Time JumpThreshold = MixingStep * sf::Int64(4);
// The latency changes only when the output does; reading it once a second keeps the audio library's lock out of
// most frames.
const sf::Time LatencyInterval = sf::seconds(1.f);
} // namespace

MusicClock::MusicClock(const MusicTrack& track, kit::TimeSource source, sf::Time audioOffset)
    : music(&track)
    , now(std::move(source))
    , lastNow(now())
    , lastReported(music->getPlayingOffset())
    , earliest(lastReported)
    , latest(lastReported + StallGuard)
    , offset(audioOffset)
    , latency(music->getOutputLatency())
    , latencyReadAt(lastNow)
    , heard(earliest - latency - offset)
{
}

void MusicClock::update()
{
    const sf::Time time = now();
    const sf::Time reported = music->getPlayingOffset();
    if (time - latencyReadAt >= LatencyInterval)
    {
        latency = music->getOutputLatency();
        latencyReadAt = time;
    }
    const sf::Time elapsed = std::max(time - lastNow, sf::Time::Zero);
    lastNow = time;

    // What this reading tells: the stem is at least where it says, and, if it has stepped since the last update,
    // got there within the time since.
    const bool stepped = reported != lastReported;
    lastReported = reported;
    const sf::Time seenLatest = reported + (stepped ? std::min(elapsed, StallGuard) : StallGuard);

    // What the earlier readings tell, carried on by the elapsed time, narrowed by this one. Where they disagree the
    // stem has moved on its own (a jump ahead) or fallen behind the time source (a stall, or a slower clock):
    // this reading wins, as near to the earlier ones as it allows.
    earliest += elapsed;
    latest += elapsed;
    if (earliest > seenLatest || latest < reported)
    {
        earliest = earliest > seenLatest ? seenLatest : reported;
        latest = seenLatest;
    }
    else
    {
        earliest = std::max(earliest, reported);
        latest = std::min(latest, seenLatest);
    }

    // The heard position goes on with the time and slews towards the estimate: at up to one and a half times the
    // speed when behind, slowing down as far as standing still when ahead, never running back. It jumps ahead
    // only after a stall.
    const sf::Time target = earliest - latency - offset;
    const sf::Time drift = target - (heard + elapsed);
    if (drift >= JumpThreshold)
        heard = target;
    else if (drift <= -JumpThreshold)
        return;
    else
        heard += elapsed + std::clamp(drift, -elapsed, elapsed / sf::Int64(2));
}
