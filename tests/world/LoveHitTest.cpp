#include "support/BeatDriver.hpp"
#include "world/Baseballer.hpp"
#include "world/CountingCue.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

const float Dt = 1.f / 64.f;
const sf::Color Tint200(200, 20, 20, 255);
const sf::Color DoomedRed(255, 20, 20, 255);

struct Scene
{
    BeatDriver beats;
    CountingCue blow;

    void update(Baseballer& baseballer, float dt = Dt) { baseballer.update(dt, beats.board, blow); }

    // Places a baseballer and lets one still update copy the place to its wings.
    Baseballer& place(Baseballer& baseballer, sf::Vector2f position, float scale = 10.f)
    {
        baseballer.setScale(scale, scale);
        baseballer.setPosition(position);
        update(baseballer, 0.f);
        return baseballer;
    }
};

// A love of strength 200 and radius 10 centred on the baseballer's tip, for one sixty-fourth of a second.
void loveOnTip(Baseballer& baseballer, bool bottomHalf)
{
    baseballer.applyLove(Dt, bottomHalf, baseballer.getWingA().getPosition(), 10.f, 200.f);
}

} // namespace

TEST(LoveHit, hurtsOnlyInsideThePlayersHalfWithBothBoundsLeftOut)
{
    Scene scene;
    Baseballer baseballer(1);

    // At y 100 exactly it is in neither half.
    scene.place(baseballer, {150.f, 100.f});
    loveOnTip(baseballer, false);
    loveOnTip(baseballer, true);
    EXPECT_EQ(baseballer.getHealth(), 50.f);
    EXPECT_EQ(baseballer.getWingA().getFillColor(), sf::Color::Black);

    scene.place(baseballer, {150.f, 99.5f});
    loveOnTip(baseballer, true);
    EXPECT_EQ(baseballer.getHealth(), 50.f);
    loveOnTip(baseballer, false);
    EXPECT_FLOAT_EQ(baseballer.getHealth(), 50.f - 200.f * Dt);
    EXPECT_EQ(baseballer.getWingA().getFillColor(), Tint200);

    scene.place(baseballer, {150.f, 100.5f});
    loveOnTip(baseballer, true);
    EXPECT_FLOAT_EQ(baseballer.getHealth(), 50.f - 2.f * 200.f * Dt);

    scene.place(baseballer, {150.f, 200.f});
    loveOnTip(baseballer, true);
    EXPECT_FLOAT_EQ(baseballer.getHealth(), 50.f - 2.f * 200.f * Dt);
}

TEST(LoveHit, keepsItsLastColourOutsideTheHalfAndTurnsBlackInsideItOutOfTheCircle)
{
    Scene scene;
    Baseballer baseballer(1);
    scene.place(baseballer, {150.f, 50.f});
    loveOnTip(baseballer, false);
    ASSERT_EQ(baseballer.getWingB().getFillColor(), Tint200);

    // Flown into the other half: the tint of the love it left stays.
    scene.place(baseballer, {150.f, 150.f});
    baseballer.applyLove(Dt, false, {0.f, 0.f}, 10.f, 200.f);
    EXPECT_EQ(baseballer.getWingA().getFillColor(), Tint200);
    EXPECT_EQ(baseballer.getWingB().getFillColor(), Tint200);

    // In the player's half but out of the circle: black.
    baseballer.applyLove(Dt, true, {0.f, 0.f}, 10.f, 200.f);
    EXPECT_EQ(baseballer.getWingA().getFillColor(), sf::Color::Black);
    EXPECT_EQ(baseballer.getWingB().getFillColor(), sf::Color::Black);
}

TEST(LoveHit, tintFollowsTheLovesStrengthAndHealthFallsByItPerSecond)
{
    Scene scene;
    Baseballer baseballer(1);
    scene.place(baseballer, {150.f, 50.f});
    baseballer.applyLove(0.1f, false, {150.f, 50.f}, 10.f, 200.7f);
    EXPECT_EQ(baseballer.getWingA().getFillColor(), sf::Color(200, 20, 20, 255));
    EXPECT_FLOAT_EQ(baseballer.getHealth(), 50.f - 20.07f);
    baseballer.applyLove(0.1f, false, {150.f, 50.f}, 10.f, 12.9f);
    EXPECT_EQ(baseballer.getWingB().getFillColor(), sf::Color(12, 20, 20, 255));
}

TEST(LoveHit, touchesOnlyByCornersWithDistancesCutToWholePixels)
{
    Scene scene;
    Baseballer baseballer(1);

    // Corners (105, 45), (115, 50), (105, 55) and (125, 45), (115, 50), (125, 55): the first lies 7.07 away.
    scene.place(baseballer, {115.f, 50.f});
    EXPECT_TRUE(baseballer.touchesCircle({100.f, 50.f}, 10.f));
    // Moved 10 further, the nearest corners lie 15.8 away.
    scene.place(baseballer, {125.f, 50.f});
    EXPECT_FALSE(baseballer.touchesCircle({100.f, 50.f}, 10.f));

    // A radius of 30.6 acts as 30: the corner (105, 45) counts at 30.99, not at 31.
    scene.place(baseballer, {115.f, 50.f});
    EXPECT_TRUE(baseballer.touchesCircle({105.f, 45.f - 30.99f}, 30.6f));
    EXPECT_FALSE(baseballer.touchesCircle({105.f, 45.f - 31.f}, 30.6f));

    // A closed circle still touches a corner less than a pixel away.
    EXPECT_TRUE(baseballer.touchesCircle({125.5f, 55.f}, 0.f));
    EXPECT_FALSE(baseballer.touchesCircle({126.f, 55.f}, 0.f));

    // Only corners count: a small circle centred inside the left wing, over 6 pixels from its corners, misses.
    EXPECT_FALSE(baseballer.touchesCircle({108.5f, 50.f}, 3.f));

    // The flap is ignored: the corners are where the wings would be unturned.
    scene.update(baseballer, 0.08f);
    ASSERT_NE(baseballer.getWingA().getRotation(), 0.f);
    EXPECT_TRUE(baseballer.touchesCircle({125.5f, 55.f}, 0.f));
}

TEST(LoveHit, closedCircleHurtsOnlyWhileTheLoveHasStrength)
{
    Scene scene;
    Baseballer baseballer(1);
    scene.place(baseballer, {150.f, 50.f});
    baseballer.applyLove(Dt, false, {150.5f, 50.f}, 0.f, 0.f);
    EXPECT_EQ(baseballer.getHealth(), 50.f);
    EXPECT_EQ(baseballer.getWingA().getFillColor(), sf::Color(0, 20, 20, 255));
}

TEST(LoveHit, usedUpBaseballerPostsItsKillOnceAndBlowsUpOnTheNextHalfSecond)
{
    Scene scene;
    Baseballer baseballer(3);
    scene.place(baseballer, {150.f, 50.f});
    const float speed = baseballer.getSpeedX();

    // 0.25 s of a love of 200 leaves exactly 0: used up.
    baseballer.applyLove(0.25f, false, {150.f, 50.f}, 10.f, 200.f);
    ASSERT_EQ(baseballer.getHealth(), 0.f);
    scene.update(baseballer);
    EXPECT_TRUE(baseballer.isKillPosted());
    EXPECT_FALSE(baseballer.isDying());
    ASSERT_EQ(scene.beats.board.getCommands().size(), 1u);
    EXPECT_EQ(scene.beats.board.getCommands()[0].name, "killed 3");
    EXPECT_EQ(scene.beats.board.getCommands()[0].beatCode, OnHalfSecond);
    EXPECT_EQ(baseballer.getWingA().getFillColor(), DoomedRed);

    // Doomed: red every frame, whatever the love does, until the board lets the kill go.
    for (int i = 0; i < 5; ++i)
    {
        baseballer.applyLove(Dt, false, {0.f, 0.f}, 10.f, 200.f);
        scene.update(baseballer);
        EXPECT_EQ(baseballer.getWingB().getFillColor(), DoomedRed);
    }
    EXPECT_EQ(scene.beats.board.getCommands().size(), 1u);
    EXPECT_FALSE(baseballer.isDying());
    EXPECT_EQ(scene.blow.plays, 0);
    EXPECT_EQ(baseballer.getSpeedX(), speed);

    scene.beats.toNextHalfSecond();
    const float scale = baseballer.getScale().x;
    scene.update(baseballer);
    EXPECT_TRUE(baseballer.isDying());
    EXPECT_EQ(scene.blow.plays, 1);
    EXPECT_EQ(baseballer.getSpeedX(), 2.f * speed);
    EXPECT_TRUE(scene.beats.board.getCommands().empty());
    EXPECT_EQ(baseballer.getScale(), sf::Vector2f(scale + 150.f * Dt, scale + 150.f * Dt));
    EXPECT_FLOAT_EQ(baseballer.getFade(), 255.f - 300.f * Dt);
    EXPECT_EQ(baseballer.getWingA().getFillColor(), sf::Color(255, 20, 20, 250));

    // Further love and further beats change nothing about the kill: no second post, blow or speed-up.
    for (int beat = 0; beat < 3; ++beat)
    {
        baseballer.applyLove(Dt, false, baseballer.getWingA().getPosition(), 10.f, 200.f);
        scene.beats.toNextHalfSecond();
        scene.update(baseballer);
    }
    EXPECT_LT(baseballer.getHealth(), 0.f);
    EXPECT_TRUE(scene.beats.board.getCommands().empty());
    EXPECT_EQ(scene.blow.plays, 1);
    EXPECT_EQ(baseballer.getSpeedX(), 2.f * speed);
}

TEST(LoveHit, dyingBaseballerSwellsAndFadesOutIn0Point85Seconds)
{
    Scene scene;
    Baseballer baseballer(1);
    scene.place(baseballer, {150.f, 50.f});
    baseballer.applyLove(1.f, false, {150.f, 50.f}, 10.f, 255.f);
    scene.update(baseballer);
    scene.beats.toNextHalfSecond();

    // 300 per second from 255: gone after 54.4 frames of 1/64 s, so in the 55th.
    float fade = 255.f;
    float scale = baseballer.getScale().x;
    for (int frame = 1; frame <= 60; ++frame)
    {
        scene.update(baseballer);
        fade = std::max(fade - 300.f * Dt, 0.f);
        scale += 150.f * Dt;
        EXPECT_FLOAT_EQ(baseballer.getFade(), fade) << frame;
        EXPECT_FLOAT_EQ(baseballer.getScale().x, scale) << frame;
        EXPECT_EQ(baseballer.getWingA().getFillColor(), sf::Color(255, 20, 20, static_cast<sf::Uint8>(fade)));
        EXPECT_EQ(baseballer.getFade() == 0.f, frame >= 55) << frame;
    }
    EXPECT_EQ(scene.blow.plays, 1);
}

TEST(LoveHit, twoBaseballersDoomedInOneHalfSecondDieInTheSameFrame)
{
    Scene scene;
    Baseballer first(1);
    Baseballer second(2);
    scene.place(first, {100.f, 50.f});
    scene.place(second, {200.f, 50.f});
    first.applyLove(1.f, false, {100.f, 50.f}, 10.f, 255.f);
    scene.update(first);
    scene.update(second);
    scene.beats.step(sf::milliseconds(100));
    second.applyLove(1.f, false, {200.f, 50.f}, 10.f, 255.f);
    scene.update(first);
    scene.update(second);
    ASSERT_EQ(scene.beats.board.getCommands().size(), 2u);

    scene.beats.toNextHalfSecond();
    scene.update(first);
    scene.update(second);
    EXPECT_TRUE(first.isDying());
    EXPECT_TRUE(second.isDying());
    EXPECT_EQ(scene.blow.plays, 2);
}
