#pragma once

#include "world/SoundCue.hpp"

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

// A sound cue played by SFML from a buffer that must outlive it (the resource cache keeps it).
class SoundEffect : public SoundCue
{
public:
    explicit SoundEffect(const sf::SoundBuffer& buffer);
    void play() override;
    // The player's effects volume, in percent.
    void setVolume(float percent);

private:
    sf::Sound sound;
};
