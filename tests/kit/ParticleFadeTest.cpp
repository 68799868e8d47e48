#include "kit/AnimationAffector.hpp"
#include "kit/FadeAnimation.hpp"

#include <gtest/gtest.h>

namespace
{

sf::Uint8 alphaAt(const kit::FadeAnimation& fade, float progress, sf::Uint8 before = 100)
{
    kit::Particle particle(sf::seconds(1.f));
    particle.color = sf::Color(10, 20, 30, before);
    fade(particle, progress);
    EXPECT_EQ(particle.color.r, 10);
    EXPECT_EQ(particle.color.g, 20);
    EXPECT_EQ(particle.color.b, 30);
    return particle.color.a;
}

} // namespace

TEST(ParticleFade, fadeOutOverTheWholeLifeIs256TimesTheLifeToComeNeverAbove255)
{
    const kit::FadeAnimation fade(0.f, 1.f);
    // 256 at birth would wrap round to transparent.
    EXPECT_EQ(alphaAt(fade, 0.f), 100); // untouched until the particle has lived at all
    EXPECT_EQ(alphaAt(fade, 0.001f), 255);
    EXPECT_EQ(alphaAt(fade, 0.25f), 192);
    EXPECT_EQ(alphaAt(fade, 0.5f), 128);
    EXPECT_EQ(alphaAt(fade, 0.9f), 25); // 25.6, cut
    EXPECT_EQ(alphaAt(fade, 0.999f), 0);
    EXPECT_EQ(alphaAt(fade, 1.f), 0);
}

TEST(ParticleFade, fadesInAndOutOverTheirSharesAndLeavesTheMiddleAlone)
{
    const kit::FadeAnimation fade(0.25f, 0.25f);
    EXPECT_EQ(alphaAt(fade, 0.f), 0);
    EXPECT_EQ(alphaAt(fade, 0.125f), 128);
    EXPECT_EQ(alphaAt(fade, 0.5f, 77), 77);
    EXPECT_EQ(alphaAt(fade, 0.875f), 128);
}

TEST(ParticleFade, affectorRunsTheAnimationWithTheShareOfLifeLived)
{
    float seen = -1.f;
    kit::AnimationAffector affector([&](kit::Particle&, float progress) { seen = progress; });
    kit::Particle particle(sf::seconds(2.f));
    particle.passedLifetime = sf::seconds(0.5f);
    affector(particle, sf::seconds(0.1f));
    EXPECT_FLOAT_EQ(seen, 0.25f);

    kit::AnimationAffector fading{kit::FadeAnimation(0.f, 1.f)};
    fading(particle, sf::seconds(0.1f));
    EXPECT_EQ(particle.color.a, 192);
}
