#pragma once

#include "game/MusicTrack.hpp"

// Cross-fades the top and bottom stems towards the player's half, two volume points per frame.
// The volumes are kept as whole numbers here rather than read back from the stems, whose float volume
// can come back a hair below what was set and would then lose a point to truncation.
class StemMixer
{
public:
    // The stem of the starting half is loud from the start, the other silent.
    StemMixer(MusicTrack& top, MusicTrack& bottom, bool bottomStart);

    void fadeTowards(bool bottomHalf);

    int getTopVolume() const { return topVolume; }
    int getBottomVolume() const { return bottomVolume; }

private:
    void apply();

    MusicTrack* top;
    MusicTrack* bottom;
    int topVolume;
    int bottomVolume;
};
