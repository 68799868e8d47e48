#pragma once

#include "kit/Distribution.hpp"
#include "kit/EmissionInterface.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/System/Vector2.hpp>

namespace kit
{

// Emits particles at a steady rate, each with values drawn from its distributions.
// A particle system calls it once per update; it is silent until it is given a rate.
class UniversalEmitter
{
public:
    UniversalEmitter();

    void setEmissionRate(float particlesPerSecond);
    void setParticleLifetime(Distribution<sf::Time> lifetime);
    void setParticlePosition(Distribution<sf::Vector2f> position);
    void setParticleVelocity(Distribution<sf::Vector2f> velocity);
    void setParticleColor(Distribution<sf::Color> color);

    float getEmissionRate() const { return emissionRate; }

    void operator()(EmissionInterface& system, sf::Time dt);

private:
    unsigned computeParticleCount(sf::Time dt);

    float emissionRate = 0.f;
    // The fraction of a particle owed by earlier updates, so that low rates at short frames still emit.
    float emissionDifference = 0.f;
    Distribution<sf::Time> particleLifetime;
    Distribution<sf::Vector2f> particlePosition;
    Distribution<sf::Vector2f> particleVelocity;
    Distribution<sf::Color> particleColor;
};

} // namespace kit
