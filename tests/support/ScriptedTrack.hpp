#pragma once

#include "game/MusicTrack.hpp"

// A music stem whose offset, duration and status a test sets by hand.
class ScriptedTrack : public MusicTrack
{
public:
    sf::Time offset;
    sf::Time duration = sf::seconds(14.f);
    sf::SoundSource::Status status = sf::SoundSource::Playing;
    float volume = 100.f;
    int volumeSets = 0;
    sf::Time latency;
    int latencyReads = 0;

    sf::Time getPlayingOffset() const override { return offset; }
    sf::Time getDuration() const override { return duration; }
    sf::SoundSource::Status getStatus() const override { return status; }
    float getVolume() const override { return volume; }
    sf::Time getOutputLatency() const override
    {
        ++const_cast<ScriptedTrack*>(this)->latencyReads;
        return latency;
    }
    void setVolume(float value) override
    {
        volume = value;
        ++volumeSets;
    }
};
