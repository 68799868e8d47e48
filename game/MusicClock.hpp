#pragma once

#include "game/MusicTrack.hpp"
#include "kit/TimeSource.hpp"

// Where the music is as the player hears it. A stem's playing offset moves in the mixer's steps (a period of 1024
// samples, 23.2 ms at 44.1 kHz) and runs ahead of the speaker by the output latency. This clock advances with the
// time source between the steps, learns from the steps where the stem really is, and subtracts the latency, so
// that what it reads moves smoothly, never backwards, and is heard at the moment it reads it. The player's audio
// offset is taken off with the latency: it is the part of the delay to the player's ears that no driver reports
// (wireless headphones, a slow television).
class MusicClock
{
public:
    explicit MusicClock(const MusicTrack& music, kit::TimeSource now = kit::realTimeSource(),
                        sf::Time offset = sf::Time::Zero);

    // Reads the time source, then the stem, once each (the latency too, now and then).
    void update();

    // The position of the stem that is being heard now; below zero until its first sample reaches the speaker.
    sf::Time getHeardOffset() const { return heard; }

private:
    const MusicTrack* music;
    kit::TimeSource now;
    sf::Time lastNow;
    sf::Time lastReported;
    // The stem has certainly played this far (what it reported, carried on by the time since), and can have
    // played at most this far (the step it reported came after the update before).
    sf::Time earliest;
    sf::Time latest;
    sf::Time offset;
    sf::Time latency;
    sf::Time latencyReadAt;
    sf::Time heard;
};
