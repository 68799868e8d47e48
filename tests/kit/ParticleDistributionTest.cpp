#include "kit/Distributions.hpp"

#include <gtest/gtest.h>

#include <cmath>

TEST(ParticleDistribution, circleSpreadsEvenlyOverTheDiscsArea)
{
    const sf::Vector2f centre(100.f, 50.f);
    const float radius = 5.f;
    const auto circle = kit::distributions::circle(centre, radius);

    const int draws = 20000;
    int withinHalfRadius = 0;
    int withinHalfArea = 0;
    int rightHalf = 0;
    int lowerHalf = 0;
    sf::Vector2f sum;
    for (int i = 0; i < draws; ++i)
    {
        const sf::Vector2f offset = circle() - centre;
        const float distance = std::sqrt(offset.x * offset.x + offset.y * offset.y);
        ASSERT_LE(distance, radius * 1.0001f);
        withinHalfRadius += distance < radius / 2.f;
        withinHalfArea += distance < radius * std::sqrt(0.5f);
        rightHalf += offset.x > 0.f;
        lowerHalf += offset.y > 0.f;
        sum += offset;
    }

    // Uniform over the area: a quarter of the points within half the radius, half within the half-area circle.
    EXPECT_NEAR(withinHalfRadius / double(draws), 0.25, 0.015);
    EXPECT_NEAR(withinHalfArea / double(draws), 0.5, 0.015);
    EXPECT_NEAR(rightHalf / double(draws), 0.5, 0.015);
    EXPECT_NEAR(lowerHalf / double(draws), 0.5, 0.015);
    EXPECT_NEAR(sum.x / draws, 0.0, 0.05 * radius);
    EXPECT_NEAR(sum.y / draws, 0.0, 0.05 * radius);
}

TEST(ParticleDistribution, circleOfRadiusZeroIsItsCentre)
{
    const auto circle = kit::distributions::circle({3.f, 4.f}, 0.f);
    EXPECT_EQ(circle(), sf::Vector2f(3.f, 4.f));
}
