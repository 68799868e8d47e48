#include "kit/FadeAnimation.hpp"

#include <algorithm>

namespace kit
{

namespace
{

sf::Uint8 toAlpha(float level)
{
    // 256 steps spread the fade evenly over the life; the very first one is held at full opacity.
    return static_cast<sf::Uint8>(std::clamp(static_cast<int>(level), 0, 255));
}

} // namespace

FadeAnimation::FadeAnimation(float in, float out)
    : inRatio(in)
    , outRatio(out)
{
}

void FadeAnimation::operator()(Particle& particle, float progress) const
{
    if (progress < inRatio)
        particle.color.a = toAlpha(256.f * progress / inRatio);
    else if (progress > 1.f - outRatio)
        particle.color.a = toAlpha(256.f * (1.f - progress) / outRatio);
}

} // namespace kit
