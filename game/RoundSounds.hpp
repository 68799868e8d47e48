#pragma once

#include "game/MusicTrack.hpp"
#include "world/SoundCue.hpp"

// What one game hears and plays: the three music stems (already started) and the three short sounds.
struct RoundSounds
{
    MusicTrack& base;
    MusicTrack& top;
    MusicTrack& bottom;
    SoundCue& dash;
    SoundCue& zoop;
    SoundCue& blow;
};
