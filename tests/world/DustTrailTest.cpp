#include "world/DustTrail.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace
{

const sf::Time Frame = sf::microseconds(16666); // what sf::seconds(1/60.f) gives
const sf::Vector2f Dashing(350.f, 0.f);
const sf::Vector2f AtRest(0.f, 0.f);

float distance(sf::Vector2f a, sf::Vector2f b)
{
    const sf::Vector2f d = a - b;
    return std::sqrt(d.x * d.x + d.y * d.y);
}

} // namespace

TEST(DustTrail, raisesDustOnlyWhileThePlayerMoves)
{
    DustTrail dust;
    // A player at rest from the start raises none, the set-up aim notwithstanding.
    for (int i = 0; i < 60; ++i)
    {
        dust.aim({250.f, 150.f}, AtRest);
        dust.update(Frame);
    }
    EXPECT_EQ(dust.getEmissionRate(), 0.f);
    EXPECT_TRUE(dust.getParticleSystem().getParticles().empty());

    dust.aim({250.f, 150.f}, {0.f, -0.5f});
    EXPECT_EQ(dust.getEmissionRate(), 150.f);
    dust.aim({250.f, 150.f}, {-4.9f, 0.f});
    EXPECT_EQ(dust.getEmissionRate(), 150.f);
    dust.aim({250.f, 150.f}, AtRest);
    EXPECT_EQ(dust.getEmissionRate(), 0.f);
}

TEST(DustTrail, puffsStartAroundThePointAimedAtAndDriftSlowly)
{
    DustTrail dust;
    const sf::Vector2f player(200.f, 120.f);
    for (int i = 0; i < 4; ++i)
    {
        dust.aim(player, Dashing);
        dust.update(Frame);
    }
    // 2.4999 a frame, the fraction carried: 2, 2, 3, 2.
    const auto& particles = dust.getParticleSystem().getParticles();
    ASSERT_EQ(particles.size(), 9u);
    for (const kit::Particle& particle : particles)
    {
        const float age = particle.passedLifetime.asSeconds();
        EXPECT_LE(distance(particle.position, player), 5.f + 50.f * age + 0.001f);
        EXPECT_LE(distance(particle.velocity, {0.f, 0.f}), 50.001f);
        EXPECT_EQ(particle.totalLifetime, sf::seconds(0.9f));
        EXPECT_EQ(particle.color.r, 255);
        EXPECT_EQ(particle.color.g, 255);
        EXPECT_EQ(particle.color.b, 255);
    }

    // Re-aimed elsewhere (the player wrapped round), the earlier dust stays where it was raised.
    dust.aim({10.f, 120.f}, Dashing);
    dust.update(Frame);
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_LT(distance(particles[i].position, player), 10.f);
    EXPECT_LT(distance(particles.back().position, {10.f, 120.f}), 10.f);
}

TEST(DustTrail, puffsFadeFromNearlyOpaqueToNothingWithin0Point9Seconds)
{
    DustTrail dust;
    dust.aim({100.f, 100.f}, Dashing);
    dust.update(Frame);
    dust.aim({100.f, 100.f}, AtRest);
    ASSERT_EQ(dust.getParticleSystem().getParticles().size(), 2u);
    EXPECT_EQ(dust.getParticleSystem().getParticles()[0].color.a, 251); // 256 * (1 - 16666/900000)

    int lastAlpha = 256;
    sf::Time lived = Frame;
    while (!dust.getParticleSystem().getParticles().empty())
    {
        const kit::Particle& particle = dust.getParticleSystem().getParticles()[0];
        const int expected = static_cast<int>(256.f * (1.f - lived.asSeconds() / 0.9f));
        EXPECT_EQ(particle.color.a, std::min(expected, 255));
        EXPECT_LE(particle.color.a, lastAlpha);
        lastAlpha = particle.color.a;
        dust.update(Frame);
        lived += Frame;
    }
    EXPECT_LE(lived, sf::seconds(0.9f) + Frame);
    EXPECT_LE(lastAlpha, 5);
}

TEST(DustTrail, aSteadyTrailHoldsAbout135Puffs)
{
    DustTrail dust;
    std::size_t most = 0;
    for (int i = 0; i < 180; ++i)
    {
        dust.aim({150.f, 100.f}, Dashing);
        dust.update(Frame);
        most = std::max(most, dust.getParticleSystem().getParticles().size());
    }
    EXPECT_GE(most, 130u);
    EXPECT_LE(most, 136u);
}
