#include "kit/UniversalEmitter.hpp"

#include <algorithm>
#include <utility>

namespace kit
{

UniversalEmitter::UniversalEmitter()
    : particleLifetime(sf::seconds(1.f))
    , particlePosition(sf::Vector2f())
    , particleVelocity(sf::Vector2f())
    , particleColor(sf::Color::White)
{
}

void UniversalEmitter::setEmissionRate(float particlesPerSecond)
{
    emissionRate = std::max(particlesPerSecond, 0.f);
}

void UniversalEmitter::setParticleLifetime(Distribution<sf::Time> lifetime)
{
    particleLifetime = std::move(lifetime);
}

void UniversalEmitter::setParticlePosition(Distribution<sf::Vector2f> position)
{
    particlePosition = std::move(position);
}

void UniversalEmitter::setParticleVelocity(Distribution<sf::Vector2f> velocity)
{
    particleVelocity = std::move(velocity);
}

void UniversalEmitter::setParticleColor(Distribution<sf::Color> color)
{
    particleColor = std::move(color);
}

void UniversalEmitter::operator()(EmissionInterface& system, sf::Time dt)
{
    const unsigned count = computeParticleCount(dt);
    for (unsigned i = 0; i < count; ++i)
    {
        Particle particle(particleLifetime());
        particle.position = particlePosition();
        particle.velocity = particleVelocity();
        particle.color = particleColor();
        system.emitParticle(particle);
    }
}

unsigned UniversalEmitter::computeParticleCount(sf::Time dt)
{
    const float amount = emissionRate * std::max(dt.asSeconds(), 0.f) + emissionDifference;
    const auto count = static_cast<unsigned>(amount);
    emissionDifference = amount - static_cast<float>(count);
    return count;
}

} // namespace kit
