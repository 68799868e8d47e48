#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/System/Vector2.hpp>

namespace kit
{

// One puff of a particle system: it moves in a straight line until its life is over.
// Particles are never turned or scaled: each is drawn at its texture's own size.
struct Particle
{
    explicit Particle(sf::Time lifetime)
        : totalLifetime(lifetime)
    {
    }

    sf::Vector2f position;
    sf::Vector2f velocity;
    sf::Color color = sf::Color::White;
    sf::Time passedLifetime = sf::Time::Zero;
    sf::Time totalLifetime;
};

// Share of the particle's life already lived, 0 at birth and 1 at its end.
float getElapsedRatio(const Particle& particle);
// Share of the particle's life still to come, 1 at birth and 0 at its end.
float getRemainingRatio(const Particle& particle);

} // namespace kit
