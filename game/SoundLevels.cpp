#include "game/SoundLevels.hpp"

#include <SFML/Audio/Listener.hpp>

SoundLevels::SoundLevels(const SoundSettings& soundSettings)
    : settings(soundSettings)
    , muted(soundSettings.muted)
{
}

void SoundLevels::apply() const
{
    sf::Listener::setGlobalVolume(muted ? 0.f : settings.master);
}

void SoundLevels::applyTo(StreamedTrack& stem) const
{
    stem.setGain(settings.music);
}

void SoundLevels::applyTo(SoundEffect& effect) const
{
    effect.setVolume(settings.effects);
}

void SoundLevels::toggleMute()
{
    muted = !muted;
    apply();
}
