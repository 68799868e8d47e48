#include "game/BeatClock.hpp"

#include <algorithm>
#include <utility>

namespace
{
const sf::Time PulseLength = sf::milliseconds(25);
}

BeatClock::BeatClock(const MusicTrack& track, kit::TimeSource now, sf::Time offset)
    : pulseTimer(now)
    , music(track, std::move(now), offset)
{
}

void BeatClock::update()
{
    music.update();
    // Nothing is heard before the stem's first sample reaches the speaker: that is still the first beat.
    const int offset = std::max(music.getHeardOffset().asMilliseconds(), 0);
    beat = (offset % 1000) / 250;
    if (beat != lastBeat)
    {
        onBeat = true;
        pulseTimer.restart(PulseLength);
        lastBeat = beat;
    }
    if (pulseTimer.isExpired())
        onBeat = false;
}
