#include "game/StemMixer.hpp"

#include <algorithm>

namespace
{
constexpr int FadeStep = 2;

int faded(int volume, bool rising)
{
    if (rising && volume <= 99)
        volume += FadeStep;
    else if (!rising && volume > 0)
        volume -= FadeStep;
    return std::clamp(volume, 0, 100);
}
} // namespace

StemMixer::StemMixer(MusicTrack& topStem, MusicTrack& bottomStem, bool bottomStart)
    : top(&topStem)
    , bottom(&bottomStem)
    , topVolume(bottomStart ? 0 : 100)
    , bottomVolume(bottomStart ? 100 : 0)
{
    apply();
}

void StemMixer::fadeTowards(bool bottomHalf)
{
    topVolume = faded(topVolume, !bottomHalf);
    bottomVolume = faded(bottomVolume, bottomHalf);
    apply();
}

void StemMixer::apply()
{
    top->setVolume(static_cast<float>(topVolume));
    bottom->setVolume(static_cast<float>(bottomVolume));
}
