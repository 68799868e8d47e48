#include "world/Flock.hpp"
#include "kit/Random.hpp"
#include "render/DrawList.hpp"
#include "support/BeatDriver.hpp"
#include "world/CountingCue.hpp"

#include <gtest/gtest.h>

#include <SFML/Graphics/CircleShape.hpp>

#include <set>
#include <vector>

namespace
{

const float Dt = 1.f / 64.f;

struct World
{
    DrawList drawList;
    Flock flock{drawList};
    BeatDriver beats;
    CountingCue blow;

    // Places a baseballer and lets one still update copy the place to its wings.
    Baseballer& place(Baseballer& baseballer, sf::Vector2f position, float scale)
    {
        baseballer.setScale(scale, scale);
        baseballer.setPosition(position);
        baseballer.update(0.f, beats.board, blow);
        return baseballer;
    }

    // A pass with the player in the top half and no love open.
    void pass() { flock.pass(Dt, false, {150.f, 50.f}, 0.f, 0.f, beats.board); }

    // Wears one baseballer's health out with a love centred on its tip, then updates the flock so it posts its kill.
    void doom(Baseballer& baseballer)
    {
        flock.pass(1.f, baseballer.getWingA().getPosition().y > 100.f, baseballer.getWingA().getPosition(), 10.f, 255.f,
                   beats.board);
        ASSERT_LE(baseballer.getHealth(), 0.f);
        flock.update(0.f, beats.board, blow);
        ASSERT_TRUE(baseballer.isKillPosted());
    }

    bool contains(const Baseballer* baseballer) const
    {
        for (const auto& held : flock.getBaseballers())
            if (held.get() == baseballer)
                return true;
        return false;
    }
};

} // namespace

TEST(Flock, spawnsInThePlayersHalfJustOutsideTheEdgeItEnters)
{
    World world;
    int right = 0;
    int left = 0;
    int belowPicture = 0;
    for (int i = 0; i < 400; ++i)
    {
        const bool bottomHalf = i % 2 == 1;
        const Baseballer& made = world.flock.spawn(bottomHalf);
        const float s = made.getScale().x;
        EXPECT_EQ(made.getScale().y, s);
        EXPECT_GE(s, 8.f);
        EXPECT_LE(s, 30.f);

        const float y = made.getPosition().y;
        EXPECT_GE(y, bottomHalf ? 100.f : 0.f);
        EXPECT_LE(y, bottomHalf ? 230.f : 130.f);
        belowPicture += y > 200.f;

        if (made.isMovingRight())
        {
            ++right;
            EXPECT_EQ(made.getPosition().x, -s);
            EXPECT_GT(made.getSpeedX(), 0.f);
        }
        else
        {
            ++left;
            EXPECT_EQ(made.getPosition().x, 300.f + s);
            EXPECT_LT(made.getSpeedX(), 0.f);
        }
    }
    EXPECT_GT(right, 150);
    EXPECT_GT(left, 150);
    EXPECT_GT(belowPicture, 0);

    // Kept in the order made, each in the draw list at layer 1, each with its own identity.
    const auto& baseballers = world.flock.getBaseballers();
    ASSERT_EQ(baseballers.size(), 400u);
    ASSERT_EQ(world.drawList.getEntries().size(), 400u);
    std::set<int> identities;
    for (std::size_t i = 0; i < baseballers.size(); ++i)
    {
        EXPECT_EQ(world.drawList.getEntries()[i].drawable, baseballers[i].get());
        EXPECT_EQ(world.drawList.getEntries()[i].layer, 1);
        identities.insert(baseballers[i]->getIdentity());
    }
    EXPECT_EQ(identities.size(), 400u);
}

TEST(Flock, spawnDrawsSpeedScaleDirectionAndHeightInThatOrder)
{
    kit::setRandomSeed(4242u);
    const int speed = kit::random(40, 100);
    const int scale = kit::random(8, 30);
    const bool movesRight = kit::random(0, 1) != 0;
    const int height = kit::random(100, 230);

    kit::setRandomSeed(4242u);
    World world;
    const Baseballer& made = world.flock.spawn(true);
    EXPECT_EQ(made.getSpeedX(), movesRight ? speed : -speed);
    EXPECT_EQ(made.getScale().x, scale);
    EXPECT_EQ(made.isMovingRight(), movesRight);
    EXPECT_EQ(made.getPosition().y, height);
}

TEST(Flock, passRemovesNeighboursBeyondTheLeftEdgeAndLovesTheOneAfterThemInTheSamePass)
{
    World world;
    world.place(world.flock.spawn(false), {-15.5f, 50.f}, 10.f);
    world.place(world.flock.spawn(false), {-40.f, 60.f}, 10.f);
    Baseballer& third = world.place(world.flock.spawn(false), {150.f, 50.f}, 10.f);
    Baseballer& fourth = world.place(world.flock.spawn(false), {-15.f, 70.f}, 10.f);

    world.flock.pass(Dt, false, {150.f, 50.f}, 10.f, 200.f, world.beats.board);

    // Scale 10: the removal line is x = -15, and only what is below it goes.
    ASSERT_EQ(world.flock.getBaseballers().size(), 2u);
    EXPECT_EQ(world.flock.getBaseballers()[0].get(), &third);
    EXPECT_EQ(world.flock.getBaseballers()[1].get(), &fourth);
    EXPECT_EQ(third.getWingA().getFillColor(), sf::Color(200, 20, 20));
    ASSERT_EQ(world.drawList.getEntries().size(), 2u);
    EXPECT_EQ(world.drawList.getEntries()[0].drawable, &third);
    EXPECT_EQ(world.drawList.getEntries()[1].drawable, &fourth);
}

TEST(Flock, manyLeavingInOnePassGoFromTheFlockAndTheDrawListWhileTheRestKeepTheirOrder)
{
    World world;
    const sf::CircleShape behind;
    const sf::CircleShape inFront;
    world.drawList.add(behind, 5);
    world.drawList.add(inFront, -1);
    std::vector<const Baseballer*> kept;
    for (int i = 0; i < 40; ++i)
    {
        const bool leaves = i % 3 != 0;
        Baseballer& made = world.place(world.flock.spawn(false), {leaves ? -100.f : 150.f, 50.f}, 10.f);
        if (!leaves)
            kept.push_back(&made);
    }
    world.pass();

    std::vector<const Baseballer*> held;
    for (const auto& baseballer : world.flock.getBaseballers())
        held.push_back(baseballer.get());
    EXPECT_EQ(held, kept);
    std::vector<const sf::Drawable*> drawn;
    for (const DrawEntry& entry : world.drawList.getEntries())
        drawn.push_back(entry.drawable);
    std::vector<const sf::Drawable*> expected{&behind};
    expected.insert(expected.end(), kept.begin(), kept.end());
    expected.push_back(&inFront);
    EXPECT_EQ(drawn, expected);
}

TEST(Flock, takesItsBaseballersOutOfTheDrawListWhenItGoes)
{
    DrawList drawList;
    const sf::CircleShape other;
    drawList.add(other, 1);
    {
        Flock flock(drawList);
        for (int i = 0; i < 10; ++i)
            flock.spawn(i % 2 == 0);
        ASSERT_EQ(drawList.getEntries().size(), 11u);
    }
    ASSERT_EQ(drawList.getEntries().size(), 1u);
    EXPECT_EQ(drawList.getEntries()[0].drawable, &other);
}

TEST(Flock, newBaseballerIsNotLovedBeforeItsFirstUpdate)
{
    World world;
    Baseballer& made = world.flock.spawn(false);
    made.setPosition(150.f, 50.f);
    // Its wings are still at (0, 0) with scale 1: at the top edge of the world, in neither half.
    world.flock.pass(Dt, false, {0.f, 0.f}, 45.f, 255.f, world.beats.board);
    EXPECT_EQ(made.getHealth(), 50.f);
    EXPECT_EQ(made.getWingA().getFillColor(), sf::Color::Black);
}

TEST(Flock, updateRunsEveryBaseballerInOrder)
{
    World world;
    Baseballer& a = world.place(world.flock.spawn(false), {100.f, 50.f}, 10.f);
    Baseballer& b = world.place(world.flock.spawn(false), {200.f, 60.f}, 10.f);
    world.flock.update(Dt, world.beats.board, world.blow);
    EXPECT_EQ(a.getWingA().getPosition(), sf::Vector2f(100.f, 50.f));
    EXPECT_EQ(b.getWingA().getPosition(), sf::Vector2f(200.f, 60.f));
    EXPECT_NE(a.getPosition(), sf::Vector2f(100.f, 50.f));
    EXPECT_NE(b.getPosition(), sf::Vector2f(200.f, 60.f));
}

TEST(Flock, takesARemovedBaseballersWaitingKillOffTheBoard)
{
    World world;
    Baseballer& doomed = world.place(world.flock.spawn(false), {150.f, 50.f}, 10.f);
    world.doom(doomed);
    const std::string command = doomed.getKillCommand();
    ASSERT_TRUE(world.beats.board.has(command));

    // It leaves over the left edge before the beat releases its kill.
    doomed.setPosition(-100.f, 50.f);
    world.pass();
    EXPECT_TRUE(world.flock.getBaseballers().empty());
    EXPECT_FALSE(world.beats.board.has(command));

    // The next one gets a name of its own, never the old one, and does not blow up untouched.
    Baseballer& next = world.place(world.flock.spawn(false), {150.f, 50.f}, 10.f);
    EXPECT_NE(next.getKillCommand(), command);
    world.beats.toNextHalfSecond();
    world.flock.update(Dt, world.beats.board, world.blow);
    EXPECT_FALSE(next.isDying());
    EXPECT_EQ(world.blow.plays, 0);
    EXPECT_TRUE(world.beats.board.getCommands().empty());
}

TEST(Flock, dropsARightFlyerOnceItIsBeyondTheRightEdgeAndTheLovesReach)
{
    World world;
    Baseballer& flyer = world.flock.spawn(false);
    flyer.setMovesRight(true);

    // Its left end 45.9 pixels beyond the picture: a full love from a player at the right edge still reaches it.
    world.place(flyer, {355.9f, 50.f}, 10.f);
    world.pass();
    ASSERT_TRUE(world.contains(&flyer));
    world.flock.pass(Dt, false, {300.f, 45.f}, 45.f, 200.f, world.beats.board);
    EXPECT_LT(flyer.getHealth(), 50.f);

    // Its left end 46 pixels beyond the edge: out of every love's reach, and of sight, yet it stays this pass.
    world.place(flyer, {356.f, 50.f}, 10.f);
    world.pass();
    ASSERT_TRUE(world.contains(&flyer));
    world.place(flyer, {356.5f, 50.f}, 10.f);
    world.pass();
    EXPECT_FALSE(world.contains(&flyer));
    EXPECT_TRUE(world.drawList.getEntries().empty());
}

TEST(Flock, keepsADoomedRightFlyerUntilItHasBlownUpAndFadedOut)
{
    World world;
    Baseballer& flyer = world.flock.spawn(false);
    flyer.setMovesRight(true);
    world.place(flyer, {250.f, 50.f}, 10.f);
    world.doom(flyer);

    world.place(flyer, {400.f, 50.f}, 10.f);
    world.pass();
    ASSERT_TRUE(world.contains(&flyer));

    world.beats.toNextHalfSecond();
    world.flock.update(Dt, world.beats.board, world.blow);
    ASSERT_TRUE(flyer.isDying());
    EXPECT_EQ(world.blow.plays, 1);
    while (flyer.getFade() > 0.f)
    {
        world.pass();
        ASSERT_TRUE(world.contains(&flyer));
        world.flock.update(Dt, world.beats.board, world.blow);
    }
    world.pass();
    EXPECT_FALSE(world.contains(&flyer));
}

TEST(Flock, dropsADyingLeftFlyerOnceItHasFadedOutThoughItNeverPassesTheLeftEdge)
{
    World world;
    Baseballer& slow = world.flock.spawn(false);
    slow.setMovesRight(false);
    world.place(slow, {150.f, 50.f}, 10.f);
    world.doom(slow);
    world.beats.toNextHalfSecond();
    world.flock.update(Dt, world.beats.board, world.blow);
    ASSERT_TRUE(slow.isDying());

    // 0.85 s of fading at 64 frames a second: 55 frames.
    int frames = 1;
    while (slow.getFade() > 0.f)
    {
        world.pass();
        ASSERT_TRUE(world.contains(&slow));
        world.flock.update(Dt, world.beats.board, world.blow);
        ++frames;
    }
    EXPECT_EQ(frames, 55);
    EXPECT_GT(slow.getPosition().x, -slow.getScale().x - 5.f);
    world.pass();
    EXPECT_FALSE(world.contains(&slow));
    EXPECT_TRUE(world.drawList.getEntries().empty());
    EXPECT_EQ(world.blow.plays, 1);
}

TEST(Flock, leavesTheDrawListWhenItGoes)
{
    DrawList drawList;
    {
        Flock flock(drawList);
        flock.spawn(false);
        flock.spawn(true);
        EXPECT_EQ(drawList.getEntries().size(), 2u);
    }
    EXPECT_TRUE(drawList.getEntries().empty());
}
