#pragma once

#include <SFML/Audio/SoundSource.hpp>
#include <SFML/System/Time.hpp>

// What the game reads from and sets on a music stem. The game follows its music, so everything timed by it
// (the beat, the countdown, the ending) reads a MusicTrack; tests give it a scripted one.
class MusicTrack
{
public:
    virtual ~MusicTrack() = default;

    virtual sf::Time getPlayingOffset() const = 0;
    virtual sf::Time getDuration() const = 0;
    virtual sf::SoundSource::Status getStatus() const = 0;
    virtual float getVolume() const = 0;
    virtual void setVolume(float volume) = 0;

    // How long a sample takes from the playing offset to the speaker, where the audio library can tell;
    // zero where it cannot.
    virtual sf::Time getOutputLatency() const { return sf::Time::Zero; }
};
