// A whole game under a flood of key events and across a long stall, driven frame by frame with scripted music, time
// and input, so that what a flood or a stall could break is seen inside the process.

#include "support/RoundHarness.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace
{

const sf::Time FrameTime = sf::milliseconds(16);

// Every key the game binds but Escape, which would end it.
const sf::Keyboard::Key PlayKeys[] = {
    sf::Keyboard::Up, sf::Keyboard::Down, sf::Keyboard::Left, sf::Keyboard::Right,  sf::Keyboard::W,
    sf::Keyboard::A,  sf::Keyboard::S,    sf::Keyboard::D,    sf::Keyboard::LShift, sf::Keyboard::RShift};

const char* const PlayerCommands[] = {"move up", "move down", "move left", "move right", "love", "unlove"};

struct RoundStressFixture : RoundHarness
{
    // What must hold after every frame, however wild the input.
    void expectSound()
    {
        std::map<std::string, int> count;
        for (const Command& command : round->getBoard().getCommands())
        {
            EXPECT_EQ(++count[command.name], 1) << "two commands named \"" << command.name << "\"";
            EXPECT_EQ(command.beatCode, OnHalfSecond) << command.name;
        }
        const Player& player = round->getPlayer();
        const sf::Vector2f at = player.getPosition();
        EXPECT_TRUE(std::isfinite(at.x) && std::isfinite(at.y));
        EXPECT_GE(at.x, -32.f);
        EXPECT_LE(at.x, CANVAS_WIDTH + 32.f);
        EXPECT_GE(at.y, -32.f);
        EXPECT_LE(at.y, CANVAS_HEIGHT + 32.f);
        EXPECT_GE(player.loveCircle.getRadius(), 0.f);
        EXPECT_LE(player.loveCircle.getRadius(), static_cast<float>(player.loveMaxRadius));
    }

    bool holdsAPlayerCommand() const
    {
        for (const char* name : PlayerCommands)
            if (round->getBoard().has(name))
                return true;
        return false;
    }

    // Plays to the end of the music, checking every frame; the game must end there and not before.
    void playToTheEnd()
    {
        Round::Outcome outcome = Round::Outcome::Playing;
        while (outcome == Round::Outcome::Playing)
        {
            const sf::Time before = base.offset;
            outcome = frame();
            if (outcome == Round::Outcome::Playing)
                expectSound();
            else
                EXPECT_GE(before + FrameTime, base.duration) << "the game ended before its music";
            if (::testing::Test::HasFailure())
                return;
        }
        EXPECT_EQ(outcome, Round::Outcome::MusicEnded);
    }
};

} // namespace

TEST_F(RoundStressFixture, AFloodOfKeyEventsEveryFrame)
{
    // Sixteen key events a frame at 16 ms a frame: a thousand a second, for the first ten seconds of the music.
    for (unsigned seed = 1; seed <= 4; ++seed)
    {
        SCOPED_TRACE("seed " + std::to_string(seed));
        drawList.clear();
        base = top = bottom = ScriptedTrack();
        held.clear();
        dash.plays = zoop.plays = 0;
        start(seed);
        std::mt19937 keys(seed);
        std::uniform_int_distribution<std::size_t> anyKey(0, std::size(PlayKeys) - 1);
        while (base.offset < sf::seconds(10.f))
        {
            for (int i = 0; i < 16; ++i)
            {
                const sf::Keyboard::Key code = PlayKeys[anyKey(keys)];
                key(code, held.count(code) == 0);
            }
            ASSERT_EQ(frame(), Round::Outcome::Playing);
            expectSound();
            ASSERT_FALSE(HasFailure());
        }
        // The flood went through to the player.
        EXPECT_GT(dash.plays, 5);
        EXPECT_GT(zoop.plays, 2);

        // Every key let go: within two seconds (four half-second beats) no command of the player's is left waiting.
        for (const sf::Keyboard::Key code : std::set<sf::Keyboard::Key>(held))
            key(code, false);
        const sf::Time quiet = base.offset;
        while (base.offset < quiet + sf::seconds(2.f))
        {
            ASSERT_EQ(frame(), Round::Outcome::Playing);
            expectSound();
        }
        EXPECT_FALSE(holdsAPlayerCommand());

        playToTheEnd();
    }
}

TEST_F(RoundStressFixture, AStallOfTwoSecondsMovesTheWorldByTheWholeTimeAndPlayGoesOn)
{
    start(5);
    while (base.offset < sf::milliseconds(4200))
        ASSERT_EQ(frame(), Round::Outcome::Playing);
    // A dash and a love wait for the beat when the process stalls.
    key(sf::Keyboard::Right, true);
    key(sf::Keyboard::LShift, true);
    ASSERT_EQ(frame(), Round::Outcome::Playing);
    ASSERT_EQ(frame(), Round::Outcome::Playing);
    ASSERT_TRUE(round->getBoard().has("move right"));
    ASSERT_TRUE(round->getBoard().has("love"));
    ASSERT_FALSE(round->getFlock().getBaseballers().empty());

    const float backgroundX = round->getBackgroundA().getPosition().x;
    std::map<int, std::pair<float, float>> before; // identity: x and speed
    for (const auto& baseballer : round->getFlock().getBaseballers())
        before[baseballer->getIdentity()] = {baseballer->getPosition().x, baseballer->getSpeedX()};
    const int dashes = dash.plays;

    // Two seconds in one frame; the music, keeping its own time, has moved on by as much.
    ASSERT_EQ(frame(sf::seconds(2.f)), Round::Outcome::Playing);
    expectSound();

    EXPECT_FLOAT_EQ(round->getBackgroundA().getPosition().x, backgroundX - 20.f);
    int moved = 0;
    for (const auto& baseballer : round->getFlock().getBaseballers())
    {
        const auto found = before.find(baseballer->getIdentity());
        if (found == before.end())
            continue;
        EXPECT_NEAR(baseballer->getPosition().x, found->second.first + 2.f * found->second.second, 0.01f);
        ++moved;
    }
    EXPECT_GT(moved, 0) << "no baseballer lived through the stall";
    EXPECT_EQ(round->getCountdown().getString(), "4");

    // What waited is not lost: the first half-second beat after the stall releases it.
    const sf::Time stallEnded = base.offset;
    while (base.offset < stallEnded + sf::milliseconds(500))
    {
        ASSERT_EQ(frame(), Round::Outcome::Playing);
        expectSound();
    }
    EXPECT_EQ(dash.plays, dashes + 1);
    EXPECT_FALSE(round->getBoard().has("move right"));
    EXPECT_TRUE(round->getPlayer().loving);

    key(sf::Keyboard::Right, false);
    key(sf::Keyboard::LShift, false);
    playToTheEnd();
}
