#include "kit/Particle.hpp"

namespace kit
{

float getElapsedRatio(const Particle& particle)
{
    // A particle without a life has lived all of it.
    if (particle.totalLifetime <= sf::Time::Zero)
        return 1.f;
    return particle.passedLifetime.asSeconds() / particle.totalLifetime.asSeconds();
}

float getRemainingRatio(const Particle& particle)
{
    return 1.f - getElapsedRatio(particle);
}

} // namespace kit
