#pragma once

#include "game/MusicClock.hpp"
#include "kit/Timer.hpp"

// Turns the base stem's heard position into quarter-second beats and a short pulse on each new beat. The pulse
// and the music clock read the same time source.
class BeatClock
{
public:
    // The offset is the player's audio offset (see MusicClock).
    explicit BeatClock(const MusicTrack& music, kit::TimeSource now = kit::realTimeSource(),
                       sf::Time offset = sf::Time::Zero);

    void update();

    bool isOnBeat() const { return onBeat; }
    int getBeat() const { return beat; }

private:
    int beat = 0;
    int lastBeat = 0;
    bool onBeat = false;
    kit::Timer pulseTimer;
    MusicClock music;
};
