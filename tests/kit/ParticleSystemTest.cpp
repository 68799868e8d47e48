#include "kit/ParticleSystem.hpp"
#include "kit/AnimationAffector.hpp"
#include "kit/FadeAnimation.hpp"
#include "kit/UniversalEmitter.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace
{

const sf::Time Frame = sf::microseconds(15625); // 1/64 s, exact in binary

// Emits one particle on each update while armed, with a life of its own, to follow single particles.
struct OneShot
{
    bool armed = true;
    sf::Time lifetime = sf::seconds(1.f);
    sf::Vector2f position;
    sf::Vector2f velocity;
    sf::Color color = sf::Color::White;

    void operator()(kit::EmissionInterface& system, sf::Time)
    {
        if (!armed)
            return;
        kit::Particle particle(lifetime);
        particle.position = position;
        particle.velocity = velocity;
        particle.color = color;
        system.emitParticle(particle);
        armed = false;
    }
};

} // namespace

TEST(ParticleSystem, newParticleAgesMovesAndIsAffectedInTheUpdateThatEmitsIt)
{
    kit::ParticleSystem system; // no texture: the quads' size does not matter here
    OneShot shot;
    shot.position = {10.f, 20.f};
    shot.velocity = {64.f, -32.f};
    system.addEmitter(std::ref(shot));
    system.addAffector(kit::AnimationAffector(kit::FadeAnimation(0.f, 1.f)));

    system.update(Frame);
    ASSERT_EQ(system.getParticles().size(), 1u);
    const kit::Particle& particle = system.getParticles()[0];
    EXPECT_EQ(particle.passedLifetime, Frame);
    EXPECT_EQ(particle.position, sf::Vector2f(11.f, 19.5f));
    EXPECT_EQ(particle.color.a, 252); // 256 * 63/64
}

TEST(ParticleSystem, particleGoesWhenItsLifeIsOverAndAffectorsSkipIt)
{
    kit::ParticleSystem system;
    OneShot shot;
    shot.lifetime = Frame * 3.f;
    system.addEmitter(std::ref(shot));
    int affected = 0;
    system.addAffector([&](kit::Particle&, sf::Time) { ++affected; });

    system.update(Frame);
    system.update(Frame);
    EXPECT_EQ(system.getParticles().size(), 1u);
    EXPECT_EQ(affected, 2);
    system.update(Frame); // lived exactly its life
    EXPECT_TRUE(system.getParticles().empty());
    EXPECT_EQ(affected, 2);
    EXPECT_EQ(system.getVertices().getVertexCount(), 0u);
}

TEST(ParticleSystem, emitterHeldByReferenceFollowsLaterChanges)
{
    kit::ParticleSystem system;
    kit::UniversalEmitter emitter;
    emitter.setParticleLifetime(sf::seconds(10.f));
    system.addEmitter(std::ref(emitter));

    system.update(Frame);
    EXPECT_TRUE(system.getParticles().empty());

    emitter.setEmissionRate(64.f * 3.f);
    emitter.setParticlePosition(sf::Vector2f(40.f, 30.f));
    system.update(Frame);
    ASSERT_EQ(system.getParticles().size(), 3u);
    EXPECT_EQ(system.getParticles()[2].position, sf::Vector2f(40.f, 30.f));
}

TEST(ParticleSystem, survivorsKeepTheirOrderAndOneQuadEachInTheirColour)
{
    kit::ParticleSystem system;
    OneShot shot;
    system.addEmitter(std::ref(shot));

    const sf::Color colors[] = {sf::Color::Red, sf::Color::Green, sf::Color::Blue};
    const sf::Time lifetimes[] = {sf::seconds(1.f), Frame * 2.f, sf::seconds(1.f)};
    for (int i = 0; i < 3; ++i)
    {
        shot.armed = true;
        shot.color = colors[i];
        shot.lifetime = lifetimes[i];
        system.update(Frame);
    }
    // The green one has gone; red and blue remain in the order they came.
    ASSERT_EQ(system.getParticles().size(), 2u);
    EXPECT_EQ(system.getParticles()[0].color, sf::Color::Red);
    EXPECT_EQ(system.getParticles()[1].color, sf::Color::Blue);

    const sf::VertexArray& vertices = system.getVertices();
    EXPECT_EQ(vertices.getPrimitiveType(), sf::Quads);
    ASSERT_EQ(vertices.getVertexCount(), 8u);
    for (std::size_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ(vertices[i].color, sf::Color::Red);
        EXPECT_EQ(vertices[4 + i].color, sf::Color::Blue);
    }
}
