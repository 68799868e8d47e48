#pragma once

#include "game/StreamedTrack.hpp"
#include "settings/PlayerSettings.hpp"
#include "world/SoundEffect.hpp"

// The player's volumes, on everything the game plays: the master volume on the audio listener, the music's on the
// stems (under their own cross-fade), the effects' on the short sounds. Mute silences the listener; M switches it
// during a game. None of it is the game's state: a recording and its replay hear the game's own volumes.
class SoundLevels
{
public:
    explicit SoundLevels(const SoundSettings& settings);

    // Sets the listener's volume; once, before the game sounds.
    void apply() const;
    void applyTo(StreamedTrack& stem) const;
    void applyTo(SoundEffect& effect) const;

    void toggleMute();
    bool isMuted() const { return muted; }

private:
    SoundSettings settings;
    bool muted;
};
