#include "game/BeatClock.hpp"

#include <utility>

namespace
{
const sf::Time PulseLength = sf::milliseconds(25);
}

BeatClock::BeatClock(const MusicTrack& track, kit::TimeSource now)
    : pulseTimer(std::move(now))
    , music(&track)
{
}

void BeatClock::update()
{
    const int offset = music->getPlayingOffset().asMilliseconds();
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
