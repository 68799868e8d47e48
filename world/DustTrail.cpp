#include "world/DustTrail.hpp"

#include "kit/AnimationAffector.hpp"
#include "kit/Distributions.hpp"

#include <functional>

namespace
{
constexpr float SpawnRadius = 5.f;
constexpr float DriftSpeed = 50.f;
constexpr float PuffsPerSecond = 150.f;
} // namespace

DustTrail::DustTrail(const sf::Texture& dust)
    : fade(0.f, 1.f)
    , system(dust)
{
    configure();
}

DustTrail::DustTrail()
    : fade(0.f, 1.f)
{
    configure();
}

void DustTrail::configure()
{
    emitter.setParticlePosition(kit::distributions::circle(sf::Vector2f(100.f, 50.f), SpawnRadius));
    emitter.setParticleVelocity(kit::distributions::circle(sf::Vector2f(0.f, 0.f), DriftSpeed));
    emitter.setParticleLifetime(sf::seconds(0.9f));
    emitter.setParticleColor(sf::Color(255, 255, 255, 100));
    system.addEmitter(std::ref(emitter));
    system.addAffector(kit::AnimationAffector(std::cref(fade)));
}

void DustTrail::aim(sf::Vector2f playerPosition, sf::Vector2f playerVelocity)
{
    emitter.setParticlePosition(kit::distributions::circle(playerPosition, SpawnRadius));
    const bool moving = playerVelocity.x != 0.f || playerVelocity.y != 0.f;
    emitter.setEmissionRate(moving ? PuffsPerSecond : 0.f);
}

void DustTrail::update(sf::Time frameTime)
{
    system.update(frameTime);
}
