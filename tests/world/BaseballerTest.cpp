#include "world/Baseballer.hpp"
#include "support/BeatDriver.hpp"
#include "world/CountingCue.hpp"

#include <gtest/gtest.h>

namespace
{

const float Dt = 1.f / 64.f; // a flap step of 3.90625 degrees, exact in binary

struct Flight
{
    BeatDriver beats;
    CountingCue blow;

    void update(Baseballer& baseballer, float dt = Dt) { baseballer.update(dt, beats.board, blow); }
};

} // namespace

TEST(Baseballer, startsBlackStillAtScale15WithItsOwnKillCommand)
{
    for (int i = 0; i < 50; ++i)
    {
        const Baseballer baseballer(i);
        EXPECT_GE(baseballer.getSpeedX(), 40.f);
        EXPECT_LE(baseballer.getSpeedX(), 100.f);
    }
    const Baseballer baseballer(7);
    EXPECT_EQ(baseballer.getKillCommand(), "killed 7");
    EXPECT_EQ(baseballer.getOrigin(), sf::Vector2f(1.f, 0.5f));
    EXPECT_EQ(baseballer.getScale(), sf::Vector2f(15.f, 15.f));
    EXPECT_EQ(baseballer.getWingA().getFillColor(), sf::Color::Black);
    EXPECT_EQ(baseballer.getWingB().getFillColor(), sf::Color::Black);
    EXPECT_EQ(baseballer.getHealth(), 50.f);
    EXPECT_EQ(baseballer.getFade(), 255.f);
    EXPECT_FALSE(baseballer.isFlappingBack());
    EXPECT_EQ(baseballer.getFlapAngle(), 0.f);
}

TEST(Baseballer, directionSetsTheSignOfItsSpeedOnly)
{
    Baseballer baseballer(1);
    const float speed = baseballer.getSpeedX();
    baseballer.setMovesRight(false);
    EXPECT_EQ(baseballer.getSpeedX(), -speed);
    baseballer.setMovesRight(false);
    EXPECT_EQ(baseballer.getSpeedX(), -speed);
    baseballer.setMovesRight(true);
    EXPECT_EQ(baseballer.getSpeedX(), speed);
}

TEST(Baseballer, hopsEachTimeItsWingsReachTheTopOfTheStroke)
{
    Flight flight;
    Baseballer baseballer(1);
    baseballer.setPosition(150.f, 50.f);

    // Six steps of 3.9 degrees stay below 25; the seventh passes it and starts the hop.
    for (int i = 0; i < 6; ++i)
        flight.update(baseballer);
    EXPECT_FALSE(baseballer.isFlappingBack());
    EXPECT_EQ(baseballer.getSpeedY(), 0.f);
    flight.update(baseballer);
    EXPECT_TRUE(baseballer.isFlappingBack());
    EXPECT_FLOAT_EQ(baseballer.getFlapAngle(), 27.34375f);
    const float hop = baseballer.getSpeedY();
    EXPECT_LE(hop, -200.f + 12.5f);
    EXPECT_GE(hop, -400.f + 12.5f);

    // The hop runs down by 800 per second; the wings swing back to -25 and turn again.
    flight.update(baseballer);
    EXPECT_FLOAT_EQ(baseballer.getSpeedY(), hop + 12.5f);
    int back = 1;
    while (baseballer.isFlappingBack())
    {
        flight.update(baseballer);
        ++back;
        ASSERT_LT(back, 100);
    }
    EXPECT_EQ(back, 14); // 27.34 down to -27.34
    EXPECT_FLOAT_EQ(baseballer.getFlapAngle(), -27.34375f);
    // The hop has risen by 12.5 a frame for as long as it was upward, and then stopped where it was.
    float expected = hop;
    for (int i = 0; i < 14; ++i)
        if (expected < 0.f)
            expected += 12.5f;
    EXPECT_FLOAT_EQ(baseballer.getSpeedY(), expected);

    // Up again to 27.34 (14 steps) for the next hop: one hop every 28 frames, 0.44 s at this frame rate.
    int up = 0;
    while (!baseballer.isFlappingBack())
    {
        flight.update(baseballer);
        ++up;
        ASSERT_LT(up, 100);
    }
    EXPECT_EQ(up, 14);
    EXPECT_LT(baseballer.getSpeedY(), -150.f);
}

TEST(Baseballer, wingsShowWhereItStoodBeforeItsLatestMove)
{
    Flight flight;
    Baseballer baseballer(1);
    baseballer.setScale(10.f, 10.f);
    baseballer.setMovesRight(false);
    baseballer.setPosition(310.f, 60.f);
    const float speedX = baseballer.getSpeedX();

    flight.update(baseballer);
    // Before its first hop it flies sideways and sinks at 100 per second.
    EXPECT_EQ(baseballer.getPosition(), sf::Vector2f(310.f + Dt * speedX, 60.f + Dt * 100.f));
    for (const sf::ConvexShape* wing : {&baseballer.getWingA(), &baseballer.getWingB()})
    {
        EXPECT_EQ(wing->getPosition(), sf::Vector2f(310.f, 60.f));
        EXPECT_EQ(wing->getScale(), sf::Vector2f(10.f, 10.f));
        EXPECT_EQ(wing->getOrigin(), sf::Vector2f(1.f, 0.5f));
    }

    const sf::Vector2f before = baseballer.getPosition();
    flight.update(baseballer);
    EXPECT_EQ(baseballer.getWingA().getPosition(), before);
    EXPECT_EQ(baseballer.getWingB().getPosition(), before);

    // The wings turn opposite ways; the baseballer itself never turns.
    EXPECT_FLOAT_EQ(baseballer.getWingA().getRotation(), 2.f * Dt * 250.f);
    EXPECT_FLOAT_EQ(baseballer.getWingB().getRotation(), 360.f - 2.f * Dt * 250.f);
    EXPECT_EQ(baseballer.getRotation(), 0.f);
}

TEST(Baseballer, longFrameTurnsTheWingsFarAndTheNextFrameTurnsThemBack)
{
    Flight flight;
    Baseballer baseballer(1);
    flight.update(baseballer, 0.5f);
    EXPECT_FLOAT_EQ(baseballer.getFlapAngle(), 125.f);
    EXPECT_FLOAT_EQ(baseballer.getWingA().getRotation(), 125.f);
    EXPECT_TRUE(baseballer.isFlappingBack());
    // The hop has started and already run down by 400 in the same frame.
    EXPECT_GE(baseballer.getSpeedY(), 0.f);
    EXPECT_LE(baseballer.getSpeedY(), 200.f);
    flight.update(baseballer);
    EXPECT_FLOAT_EQ(baseballer.getFlapAngle(), 125.f - 250.f * Dt);
}
