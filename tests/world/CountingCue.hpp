#pragma once

#include "world/SoundCue.hpp"

// A sound that only counts how often it was started.
struct CountingCue : SoundCue
{
    int plays = 0;
    void play() override { ++plays; }
};
