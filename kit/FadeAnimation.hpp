#pragma once

#include "kit/Particle.hpp"

namespace kit
{

// Fades a particle in over the first inRatio of its life and out over the last outRatio, by its alpha alone.
// In between the alpha is left as it is.
class FadeAnimation
{
public:
    FadeAnimation(float inRatio, float outRatio);

    void operator()(Particle& particle, float progress) const;

private:
    float inRatio;
    float outRatio;
};

} // namespace kit
