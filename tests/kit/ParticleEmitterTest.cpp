#include "kit/Distributions.hpp"
#include "kit/UniversalEmitter.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace
{

struct Recorder : kit::EmissionInterface
{
    std::vector<kit::Particle> emitted;
    void emitParticle(const kit::Particle& particle) override { emitted.push_back(particle); }
};

// 1/64 s is exact in binary, so the owed fractions add up without rounding.
const sf::Time Frame = sf::microseconds(15625);

std::vector<std::size_t> countsPerFrame(kit::UniversalEmitter& emitter, int frames)
{
    Recorder recorder;
    std::vector<std::size_t> counts;
    for (int i = 0; i < frames; ++i)
    {
        const std::size_t before = recorder.emitted.size();
        emitter(recorder, Frame);
        counts.push_back(recorder.emitted.size() - before);
    }
    return counts;
}

} // namespace

TEST(ParticleEmitter, carriesTheFractionOfAParticleFromFrameToFrame)
{
    kit::UniversalEmitter emitter;

    // Half a particle per frame: one every second frame, not none at all.
    emitter.setEmissionRate(32.f);
    EXPECT_EQ(countsPerFrame(emitter, 6), (std::vector<std::size_t>{0, 1, 0, 1, 0, 1}));

    // 2.34375 per frame: whole seconds give exactly the rate, never a particle lost or doubled.
    kit::UniversalEmitter busy;
    busy.setEmissionRate(150.f);
    std::size_t total = 0;
    for (const std::size_t count : countsPerFrame(busy, 64))
    {
        EXPECT_TRUE(count == 2 || count == 3) << count;
        total += count;
    }
    EXPECT_EQ(total, 150u);
}

TEST(ParticleEmitter, isSilentWithoutARateAndAfterItsRateDropsToZero)
{
    kit::UniversalEmitter emitter;
    EXPECT_EQ(countsPerFrame(emitter, 10), std::vector<std::size_t>(10, 0));

    emitter.setEmissionRate(150.f);
    countsPerFrame(emitter, 3);
    emitter.setEmissionRate(0.f);
    EXPECT_EQ(countsPerFrame(emitter, 10), std::vector<std::size_t>(10, 0));

    // A negative rate or frame time is no rate at all.
    emitter.setEmissionRate(-50.f);
    EXPECT_EQ(countsPerFrame(emitter, 4), std::vector<std::size_t>(4, 0));
    emitter.setEmissionRate(150.f);
    Recorder recorder;
    emitter(recorder, sf::seconds(-1.f));
    EXPECT_TRUE(recorder.emitted.empty());
}

TEST(ParticleEmitter, givesEveryParticleItsConstantsAndFreshDrawsFromItsDistributions)
{
    kit::UniversalEmitter emitter;
    emitter.setEmissionRate(64.f * 20.f);
    emitter.setParticleLifetime(sf::seconds(0.9f));
    emitter.setParticleColor(sf::Color(255, 255, 255, 100));
    emitter.setParticlePosition(kit::distributions::circle({100.f, 50.f}, 5.f));
    emitter.setParticleVelocity(kit::distributions::circle({0.f, 0.f}, 50.f));

    Recorder recorder;
    emitter(recorder, Frame);
    ASSERT_EQ(recorder.emitted.size(), 20u);
    for (const kit::Particle& particle : recorder.emitted)
    {
        EXPECT_EQ(particle.totalLifetime, sf::seconds(0.9f));
        EXPECT_EQ(particle.passedLifetime, sf::Time::Zero);
        EXPECT_EQ(particle.color, sf::Color(255, 255, 255, 100));
        const sf::Vector2f offset = particle.position - sf::Vector2f(100.f, 50.f);
        EXPECT_LE(offset.x * offset.x + offset.y * offset.y, 25.001f);
        EXPECT_LE(particle.velocity.x * particle.velocity.x + particle.velocity.y * particle.velocity.y, 2500.1f);
    }
    EXPECT_NE(recorder.emitted[0].position, recorder.emitted[1].position);
    EXPECT_NE(recorder.emitted[0].velocity, recorder.emitted[1].velocity);
}
