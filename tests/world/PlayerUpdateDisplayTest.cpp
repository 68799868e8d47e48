// The player's update. These need no window, but every sprite needs a texture and so an OpenGL context.

#include "kit/Random.hpp"
#include "sprites/TestTexture.hpp"
#include "support/BeatDriver.hpp"
#include "world/Player.hpp"
#include "world/SoundCue.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace
{

struct CountingCue : SoundCue
{
    int starts = 0;
    void play() override { ++starts; }
};

// A player on a 16 by 10 texture (unless told otherwise) in the middle of the world, with a board on scripted music.
struct Stage
{
    explicit Stage(unsigned width = 16, unsigned height = 10)
        : texture(makeTestTexture(width, height))
        , player(texture, "")
    {
        // Whole-pixel middle, as the game sets it: odd sizes round down.
        const unsigned originX = width / 2;
        const unsigned originY = height / 2;
        player.setOrigin(static_cast<float>(originX), static_cast<float>(originY));
        player.setPosition(150.f, 60.f);
    }

    void frame(float dt) { player.update(dt, beats.board, dash, zoop); }

    // Posts the commands and plays the music on to the next half second, so all are ready together.
    void ready(const std::vector<std::string>& names)
    {
        for (const std::string& name : names)
            beats.board.post(name, player.commandValue);
        beats.toNextHalfSecond();
    }

    // Opens the love circle fully and lets the love's flash die away.
    void openCircle()
    {
        ready({"love"});
        frame(0.3f);
        frame(2.f);
        ASSERT_TRUE(player.loving);
        ASSERT_EQ(player.loveCircle.getRadius(), 45.f);
    }

    sf::Texture texture;
    Player player;
    BeatDriver beats;
    CountingCue dash;
    CountingCue zoop;
};

const sf::Color Tint(255, 100, 100);

} // namespace

TEST(PlayerMoves, newPlayerStartsAtRestWithItsFixedValues)
{
    Stage stage;
    const Player& player = stage.player;
    EXPECT_EQ(player.speed, 350);
    EXPECT_EQ(player.deceleration, 800);
    EXPECT_EQ(player.velocity, sf::Vector2f());
    EXPECT_EQ(player.commandValue, OnHalfSecond);
    EXPECT_EQ(player.loveMaxRadius, 45);
    EXPECT_FALSE(player.loving);
    EXPECT_EQ(player.loveStrength, 0.f);
}

TEST(PlayerMoves, everyReadyMoveIsTakenAndTheLastInOrderDecides)
{
    struct Case
    {
        std::vector<std::string> moves;
        sf::Vector2f velocity;
    };
    const std::vector<Case> cases{
        {{"move up"}, {0.f, -350.f}},
        {{"move down"}, {0.f, 350.f}},
        {{"move left"}, {-350.f, 0.f}},
        {{"move right"}, {350.f, 0.f}},
        {{"move right", "move up"}, {350.f, 0.f}},
        {{"move up", "move down", "move left", "move right"}, {350.f, 0.f}},
        {{"move left", "move down"}, {-350.f, 0.f}},
        {{"move down", "move up"}, {0.f, 350.f}},
    };
    for (const Case& c : cases)
    {
        Stage stage;
        stage.player.setColor(Tint);
        stage.ready(c.moves);
        // At dt 0 nothing moves, grows or spins, but the commands are still taken.
        stage.frame(0.f);
        EXPECT_EQ(stage.player.velocity, c.velocity) << c.moves.size() << " moves from " << c.moves.front();
        EXPECT_EQ(stage.dash.starts, static_cast<int>(c.moves.size()));
        EXPECT_TRUE(stage.beats.board.getCommands().empty());
        EXPECT_EQ(stage.player.getColor(), sf::Color::White);
        EXPECT_EQ(stage.player.getPosition(), sf::Vector2f(150.f, 60.f));
        EXPECT_EQ(stage.player.getRotation(), 0.f);
    }
}

TEST(PlayerMoves, moveWaitingForItsBeatIsNotTaken)
{
    Stage stage;
    stage.player.setColor(Tint);
    stage.beats.board.post("move left", stage.player.commandValue);
    stage.frame(0.016f);
    EXPECT_EQ(stage.player.velocity, sf::Vector2f());
    EXPECT_EQ(stage.player.getPosition(), sf::Vector2f(150.f, 60.f));
    EXPECT_TRUE(stage.beats.board.has("move left"));
    EXPECT_EQ(stage.dash.starts, 0);
    EXPECT_EQ(stage.player.getColor(), Tint);
}

TEST(PlayerMoves, dashRunsDownFromTheFrameItIsTaken)
{
    Stage stage;
    stage.ready({"move right"});
    stage.frame(0.01f);
    EXPECT_FLOAT_EQ(stage.player.velocity.x, 342.f);
    stage.frame(0.01f);
    EXPECT_FLOAT_EQ(stage.player.velocity.x, 334.f);

    stage.ready({"move up"});
    stage.frame(0.01f);
    EXPECT_EQ(stage.player.velocity.x, 0.f);
    EXPECT_FLOAT_EQ(stage.player.velocity.y, -342.f);
}

TEST(PlayerMoves, runDownStopsAtZeroWithoutOvershooting)
{
    Stage stage;
    stage.player.velocity = {100.f, -100.f};
    stage.frame(1.f);
    EXPECT_EQ(stage.player.velocity, sf::Vector2f());
    EXPECT_EQ(stage.player.getPosition(), sf::Vector2f(150.f, 60.f));
}

TEST(PlayerMoves, componentsStrictlyBetweenMinusFiveAndFiveComeToRest)
{
    Stage stage;
    stage.player.velocity = {5.f, -5.f};
    stage.frame(0.f);
    EXPECT_EQ(stage.player.velocity, sf::Vector2f(5.f, -5.f));

    stage.player.velocity = {4.99f, -4.99f};
    stage.frame(0.f);
    EXPECT_EQ(stage.player.velocity, sf::Vector2f());

    // Run down to 4 in this frame: at rest at once, and no movement by it.
    stage.player.velocity = {12.f, -12.f};
    stage.frame(0.01f);
    EXPECT_EQ(stage.player.velocity, sf::Vector2f());
    EXPECT_EQ(stage.player.getPosition(), sf::Vector2f(150.f, 60.f));
}

TEST(PlayerMoves, movesByTheVelocityCutToWholePixelsPerSecond)
{
    Stage stage;
    stage.player.velocity = {180.9f, -180.9f};
    stage.frame(0.1f);
    // Run down to 100.9 and moved by 100 per second; the stored velocity keeps its fraction.
    EXPECT_NEAR(stage.player.velocity.x, 100.9f, 1e-3f);
    EXPECT_NEAR(stage.player.velocity.y, -100.9f, 1e-3f);
    EXPECT_FLOAT_EQ(stage.player.getPosition().x, 160.f);
    EXPECT_FLOAT_EQ(stage.player.getPosition().y, 50.f);
}

TEST(PlayerMoves, dashCarriesAbout73PixelsAndRestsAfterAboutAThirdOfASecond)
{
    Stage stage;
    stage.ready({"move right"});
    int frames = 0;
    do
    {
        stage.frame(1.f / 60.f);
        ++frames;
    } while (stage.player.velocity.x != 0.f && frames < 100);
    EXPECT_EQ(frames, 26);
    EXPECT_NEAR(stage.player.getPosition().x - 150.f, 73.33f, 0.01f);
}

TEST(PlayerWrap, eachEdgeWrapsOnlyOnceCrossed)
{
    struct Case
    {
        sf::Vector2f from;
        sf::Vector2f to;
    };
    // The texture is 16 by 10.
    const std::vector<Case> cases{
        {{300.f, 60.f}, {300.f, 60.f}},   {{300.5f, 60.f}, {-16.f, 60.f}},   {{-16.f, 60.f}, {-16.f, 60.f}},
        {{-16.5f, 60.f}, {300.f, 60.f}},  {{150.f, 200.f}, {150.f, 200.f}},  {{150.f, 200.5f}, {150.f, -10.f}},
        {{150.f, -10.f}, {150.f, -10.f}}, {{150.f, -10.5f}, {150.f, 200.f}}, {{301.f, 201.f}, {-16.f, -10.f}},
        {{-20.f, -20.f}, {300.f, 200.f}},
    };
    for (const Case& c : cases)
    {
        Stage stage;
        stage.player.setPosition(c.from);
        stage.frame(0.f);
        EXPECT_EQ(stage.player.getPosition(), c.to) << "from (" << c.from.x << ", " << c.from.y << ")";
    }
}

TEST(PlayerWrap, edgesUseTheTextureSizeWhateverTheScaleAndOrigin)
{
    Stage stage;
    stage.player.setScale(0.5f, 0.5f);
    stage.player.setColor(Tint);
    stage.player.setPosition(-15.5f, -9.5f);
    stage.frame(0.f);
    EXPECT_EQ(stage.player.getPosition(), sf::Vector2f(-15.5f, -9.5f));
}

TEST(PlayerWrap, playerLeavingOnTheLeftComesBackOnTheRight)
{
    Stage stage;
    stage.player.setPosition(-10.f, 60.f);
    stage.player.velocity = {-350.f, 0.f};
    stage.frame(0.1f);
    EXPECT_EQ(stage.player.getPosition(), sf::Vector2f(300.f, 60.f));
}

TEST(PlayerLook, tintedPlayerCrouchesToHalfSize)
{
    Stage stage;
    stage.player.setColor(Tint);
    stage.frame(0.05f);
    EXPECT_FLOAT_EQ(stage.player.getScale().x, 0.75f);
    EXPECT_FLOAT_EQ(stage.player.getScale().y, 0.75f);
    stage.frame(0.06f);
    EXPECT_EQ(stage.player.getScale(), sf::Vector2f(0.5f, 0.5f));
    stage.frame(1.f);
    EXPECT_EQ(stage.player.getScale(), sf::Vector2f(0.5f, 0.5f));
}

TEST(PlayerLook, whitePlayerSwellsToFullSize)
{
    Stage stage;
    stage.player.setScale(0.5f, 0.5f);
    stage.frame(0.05f);
    EXPECT_FLOAT_EQ(stage.player.getScale().x, 0.75f);
    stage.frame(0.06f);
    EXPECT_EQ(stage.player.getScale(), sf::Vector2f(1.f, 1.f));
    stage.frame(1.f);
    EXPECT_EQ(stage.player.getScale(), sf::Vector2f(1.f, 1.f));
}

TEST(PlayerLook, onlyTheHorizontalScaleIsCompared)
{
    Stage stage;
    stage.player.setColor(Tint);
    stage.player.setScale(0.52f, 0.9f);
    stage.frame(0.01f);
    EXPECT_EQ(stage.player.getScale(), sf::Vector2f(0.5f, 0.5f));

    stage.player.setScale(0.9f, 0.52f);
    stage.frame(0.01f);
    EXPECT_FLOAT_EQ(stage.player.getScale().x, 0.85f);
    EXPECT_FLOAT_EQ(stage.player.getScale().y, 0.47f);
}

TEST(PlayerLook, anyChannelOffWhiteCountsAsTinted)
{
    Stage stage;
    stage.player.setColor(sf::Color(255, 255, 255, 254));
    stage.frame(0.02f);
    EXPECT_FLOAT_EQ(stage.player.getScale().x, 0.9f);
}

TEST(PlayerLook, takenMoveWhitensAndSwellsInTheSameFrame)
{
    Stage stage;
    stage.player.setColor(Tint);
    stage.player.setScale(0.5f, 0.5f);
    stage.ready({"move down"});
    stage.frame(0.02f);
    EXPECT_FLOAT_EQ(stage.player.getScale().x, 0.6f);
}

TEST(PlayerLook, spinsClockwiseMovingRightOrDownAndBackMovingLeftOrUp)
{
    struct Case
    {
        std::string move;
        float rotation;
    };
    // 342 pixels per second after the run-down, for 0.01 s, at 2 degrees per pixel per second.
    for (const Case& c : {Case{"move right", 6.84f}, Case{"move down", 6.84f}, Case{"move left", 360.f - 6.84f},
                          Case{"move up", 360.f - 6.84f}})
    {
        Stage stage;
        stage.ready({c.move});
        stage.frame(0.01f);
        EXPECT_NEAR(stage.player.getRotation(), c.rotation, 1e-3f) << c.move;
    }

    Stage still;
    still.frame(0.5f);
    EXPECT_EQ(still.player.getRotation(), 0.f);
}

TEST(PlayerLook, originIsTheTextureCentreCutToWholePixels)
{
    Stage stage(15, 9);
    stage.player.setOrigin(0.f, 0.f);
    stage.frame(0.016f);
    EXPECT_EQ(stage.player.getOrigin(), sf::Vector2f(7.f, 4.f));
}

TEST(PlayerLook, tremblesByUpToAPixelOnlyWhileALoveIsOnTheBoard)
{
    Stage stage(15, 9);
    stage.beats.board.post("love", stage.player.commandValue);
    std::set<float> xs;
    std::set<float> ys;
    for (int i = 0; i < 60; ++i)
    {
        stage.frame(0.016f);
        xs.insert(stage.player.getOrigin().x);
        ys.insert(stage.player.getOrigin().y);
    }
    EXPECT_EQ(xs, (std::set<float>{6.f, 7.f, 8.f}));
    EXPECT_EQ(ys, (std::set<float>{3.f, 4.f, 5.f}));

    stage.beats.board.remove("love");
    stage.frame(0.016f);
    EXPECT_EQ(stage.player.getOrigin(), sf::Vector2f(7.f, 4.f));
}

TEST(PlayerLook, trembleDrawsTheVerticalOffsetFirst)
{
    Stage stage(15, 9);
    stage.beats.board.post("love", stage.player.commandValue);
    kit::setRandomSeed(77u);
    const int y = kit::random(3, 5);
    const int x = kit::random(6, 8);
    kit::setRandomSeed(77u);
    stage.frame(0.016f);
    EXPECT_EQ(stage.player.getOrigin(), sf::Vector2f(static_cast<float>(x), static_cast<float>(y)));
}

TEST(PlayerLove, readyLoveOpensAClosedCircle)
{
    Stage stage;
    stage.ready({"love"});
    stage.frame(0.01f);
    EXPECT_TRUE(stage.player.loving);
    EXPECT_EQ(stage.zoop.starts, 1);
    EXPECT_FALSE(stage.beats.board.has("love"));
    // The circle already grows and the flash already fades in the frame the love starts.
    EXPECT_FLOAT_EQ(stage.player.loveStrength, 253.f);
    EXPECT_FLOAT_EQ(stage.player.loveCircle.getRadius(), 2.f);
    stage.frame(0.01f);
    EXPECT_FLOAT_EQ(stage.player.loveCircle.getRadius(), 4.f);
    EXPECT_EQ(stage.zoop.starts, 1);
}

TEST(PlayerLove, loveWaitsUntilTheClosingCircleHasClosedThenStartsInTheSamePulse)
{
    Stage stage;
    stage.player.loveCircle.setRadius(3.f);
    stage.ready({"love"});
    stage.frame(0.01f);
    EXPECT_FALSE(stage.player.loving);
    EXPECT_TRUE(stage.beats.board.has("love"));
    EXPECT_FALSE(stage.beats.board.isReady("love"));
    EXPECT_FLOAT_EQ(stage.player.loveCircle.getRadius(), 1.f);

    // Still inside the 25 ms pulse: the love is released again, and waits again while the radius is above 0.
    stage.beats.step(sf::milliseconds(10));
    ASSERT_TRUE(stage.beats.board.isReady("love"));
    stage.frame(0.01f);
    EXPECT_FALSE(stage.player.loving);
    EXPECT_EQ(stage.player.loveCircle.getRadius(), 0.f);

    stage.beats.step(sf::milliseconds(10));
    stage.frame(0.01f);
    EXPECT_TRUE(stage.player.loving);
    EXPECT_EQ(stage.zoop.starts, 1);
}

TEST(PlayerLove, loveMadeToWaitPastThePulseStartsOnALaterBeat)
{
    Stage stage;
    stage.player.loveCircle.setRadius(3.f);
    stage.ready({"love"});
    stage.frame(0.01f);
    stage.beats.step(sf::milliseconds(30));
    stage.frame(0.01f);
    EXPECT_EQ(stage.player.loveCircle.getRadius(), 0.f);
    EXPECT_FALSE(stage.player.loving);
    EXPECT_TRUE(stage.beats.board.has("love"));

    stage.beats.toNextHalfSecond();
    stage.frame(0.01f);
    EXPECT_TRUE(stage.player.loving);
}

TEST(PlayerLove, unloveWaitsUntilTheOpeningCircleIsFullyOpen)
{
    Stage stage;
    stage.ready({"love"});
    stage.frame(0.15f);
    ASSERT_FLOAT_EQ(stage.player.loveCircle.getRadius(), 30.f);

    stage.ready({"unlove"});
    stage.frame(0.01f);
    EXPECT_TRUE(stage.player.loving);
    EXPECT_TRUE(stage.beats.board.has("unlove"));
    EXPECT_FALSE(stage.beats.board.isReady("unlove"));
    stage.frame(0.1f);
    EXPECT_EQ(stage.player.loveCircle.getRadius(), 45.f);
    EXPECT_TRUE(stage.player.loving);

    stage.beats.toNextHalfSecond();
    stage.frame(0.01f);
    EXPECT_FALSE(stage.player.loving);
    EXPECT_FALSE(stage.beats.board.has("unlove"));
    EXPECT_FLOAT_EQ(stage.player.loveCircle.getRadius(), 43.f);
}

TEST(PlayerLove, unloveStaysReadyWhileALoveIsOnTheBoardAndClosesThatLoveLater)
{
    Stage stage;
    stage.openCircle();
    stage.ready({"unlove"});
    stage.beats.board.post("love", stage.player.commandValue);
    stage.frame(0.01f);
    EXPECT_FALSE(stage.player.loving);
    EXPECT_TRUE(stage.beats.board.isReady("unlove"));

    stage.frame(0.3f);
    EXPECT_EQ(stage.player.loveCircle.getRadius(), 0.f);
    EXPECT_TRUE(stage.beats.board.isReady("unlove"));

    // The waiting love starts on the next beat; the unlove then waits for the circle to open.
    stage.beats.toNextHalfSecond();
    stage.frame(0.01f);
    EXPECT_TRUE(stage.player.loving);
    EXPECT_EQ(stage.zoop.starts, 2);
    stage.frame(0.01f);
    EXPECT_TRUE(stage.player.loving);
    EXPECT_FALSE(stage.beats.board.isReady("unlove"));
    stage.frame(0.3f);
    stage.beats.toNextHalfSecond();
    stage.frame(0.01f);
    EXPECT_FALSE(stage.player.loving);
    EXPECT_TRUE(stage.beats.board.getCommands().empty());
}

TEST(PlayerLove, onlyTheFirstApplicableRuleIsCarriedOut)
{
    Stage stage;
    stage.openCircle();
    stage.ready({"love", "unlove"});
    stage.frame(0.01f);
    // The love is sent back to wait; the ready unlove is left for a later frame.
    EXPECT_FALSE(stage.beats.board.isReady("love"));
    EXPECT_TRUE(stage.beats.board.isReady("unlove"));
    EXPECT_TRUE(stage.player.loving);
    EXPECT_EQ(stage.player.loveCircle.getRadius(), 45.f);
}

TEST(PlayerLove, unloveWithNoLoveOpenOrWaitingIsDropped)
{
    {
        Stage closed;
        closed.beats.board.post("unlove", OnHalfSecond);
        closed.frame(0.01f);
        EXPECT_FALSE(closed.beats.board.has("unlove"));
    }
    {
        Stage closing;
        closing.player.loveCircle.setRadius(20.f);
        closing.ready({"unlove"});
        closing.frame(0.01f);
        EXPECT_FALSE(closing.beats.board.has("unlove"));
        EXPECT_FLOAT_EQ(closing.player.loveCircle.getRadius(), 18.f);
    }
    {
        Stage loveWaiting;
        loveWaiting.player.loveCircle.setRadius(20.f);
        loveWaiting.beats.board.post("love", OnHalfSecond);
        loveWaiting.beats.board.post("unlove", OnHalfSecond);
        loveWaiting.frame(0.01f);
        EXPECT_TRUE(loveWaiting.beats.board.has("unlove"));
    }
}

TEST(PlayerLove, circleFollowsThePlayerWithItsCentreOnThePlayersPosition)
{
    Stage stage;
    stage.ready({"love", "move right"});
    stage.frame(0.1f);
    const sf::CircleShape& circle = stage.player.loveCircle;
    const float radius = circle.getRadius();
    ASSERT_FLOAT_EQ(radius, 20.f);
    EXPECT_EQ(circle.getPosition(), stage.player.getPosition());
    // The origin leaves out the rim, so the circle's centre lands on the player: to a fraction of a pixel, as the
    // thirty-sided outline is a little narrower than it is tall.
    const sf::Vector2f centre = circle.getTransform().transformPoint(radius, radius);
    EXPECT_NEAR(centre.x, stage.player.getPosition().x, 0.3f);
    EXPECT_NEAR(centre.y, stage.player.getPosition().y, 0.3f);
}

TEST(PlayerLove, flashFadesWhileTheRimStays)
{
    Stage stage;
    stage.ready({"love"});
    stage.frame(0.01f);
    const sf::CircleShape& circle = stage.player.loveCircle;
    EXPECT_EQ(circle.getFillColor(), sf::Color(255, 255, 255, 253));
    EXPECT_EQ(circle.getOutlineColor(), sf::Color(0, 0, 0, 80));
    EXPECT_FLOAT_EQ(circle.getOutlineThickness(), 253.f / 180.f + 1.f);

    // The strength is cut to a whole alpha.
    stage.player.loveStrength = 101.7f;
    stage.frame(0.005f);
    EXPECT_EQ(circle.getFillColor().a, 100);

    // 255 falls to 0 in 1.275 s, and stays there while the circle stays open.
    stage.player.loveStrength = 255.f;
    stage.frame(1.275f);
    EXPECT_EQ(stage.player.loveStrength, 0.f);
    stage.frame(0.5f);
    EXPECT_EQ(stage.player.loveStrength, 0.f);
    EXPECT_EQ(circle.getFillColor(), sf::Color(255, 255, 255, 0));
    EXPECT_FLOAT_EQ(circle.getOutlineThickness(), 1.f);
    EXPECT_EQ(circle.getRadius(), 45.f);
}

TEST(PlayerLove, longFrameOpensOrClosesTheCircleInOneStep)
{
    Stage stage;
    stage.ready({"love"});
    stage.frame(0.3f);
    EXPECT_EQ(stage.player.loveCircle.getRadius(), 45.f);
    EXPECT_FLOAT_EQ(stage.player.loveStrength, 195.f);

    stage.ready({"unlove"});
    stage.frame(0.3f);
    EXPECT_FALSE(stage.player.loving);
    EXPECT_EQ(stage.player.loveCircle.getRadius(), 0.f);
    EXPECT_FLOAT_EQ(stage.player.loveStrength, 135.f);
}
