#pragma once

#include "kit/FadeAnimation.hpp"
#include "kit/ParticleSystem.hpp"
#include "kit/UniversalEmitter.hpp"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/System/Vector2.hpp>

// Faint puffs of dust that trail the moving player, drift off and fade within 0.9 seconds.
// The particle system keeps the emitter by reference, so a trail cannot be copied or moved.
class DustTrail
{
public:
    // The texture must outlive the trail.
    explicit DustTrail(const sf::Texture& dust);
    // Puffs without a picture: they live, move and fade but show nothing.
    DustTrail();
    DustTrail(const DustTrail&) = delete;
    DustTrail& operator=(const DustTrail&) = delete;

    // Raises dust around the player while it moves; at rest the dust already raised lives out its time.
    void aim(sf::Vector2f playerPosition, sf::Vector2f playerVelocity);
    void update(sf::Time frameTime);

    const kit::ParticleSystem& getParticleSystem() const { return system; }
    const sf::Drawable& getDrawable() const { return system; }
    float getEmissionRate() const { return emitter.getEmissionRate(); }

private:
    void configure();

    kit::UniversalEmitter emitter;
    kit::FadeAnimation fade;
    kit::ParticleSystem system;
};
