// Whole games played with a scripted gamepad, alone or with the keyboard, checked on the command board and on the
// player.

#include "support/RoundHarness.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

sf::Event windowEvent(sf::Event::EventType type)
{
    sf::Event event{};
    event.type = type;
    return event;
}

struct RoundGamepad : RoundHarness
{
    // Runs frames until the music has passed the given offset; every frame must go on playing.
    void playUntil(sf::Time offset)
    {
        while (base.offset < offset)
            ASSERT_EQ(frame(), Round::Outcome::Playing);
    }

    long postedCount(const std::string& name) const
    {
        const auto& commands = round->getBoard().getCommands();
        return std::count_if(commands.begin(), commands.end(),
                             [&](const Command& command) { return command.name == name; });
    }
};

} // namespace

TEST_F(RoundGamepad, ADPadPushAndAKeyInOneFrameAreOneCommandAndOneDash)
{
    pending.push_back(pads.connect(0));
    start();
    ASSERT_EQ(frame(), Round::Outcome::Playing);

    pending.push_back(pads.move(0, sf::Joystick::PovX, 100.f));
    key(sf::Keyboard::Right, true);
    ASSERT_EQ(frame(), Round::Outcome::Playing); // polled here
    ASSERT_EQ(frame(), Round::Outcome::Playing); // posted here
    EXPECT_EQ(postedCount("move right"), 1);

    playUntil(sf::milliseconds(1600));
    EXPECT_EQ(dash.plays, 1);
}

TEST_F(RoundGamepad, AStickHeldOutForManyBeatsIsOneDash)
{
    pending.push_back(pads.connect(0));
    start();
    pending.push_back(pads.move(0, sf::Joystick::X, -90.f));
    // A held stick never rests exactly: it keeps reporting small moves, all past half-way or between a quarter and
    // a half.
    const float jitter[] = {-100.f, -95.f, -60.f, -99.f, -45.f, -30.f, -100.f};
    for (int beat = 0; beat < 4; ++beat)
    {
        for (float position : jitter)
        {
            pending.push_back(pads.move(0, sf::Joystick::X, position));
            ASSERT_EQ(frame(), Round::Outcome::Playing);
        }
        playUntil(sf::milliseconds(500 * (beat + 1) + 100));
    }
    EXPECT_EQ(dash.plays, 1);
    EXPECT_FALSE(round->getBoard().has("move left"));
}

TEST_F(RoundGamepad, APadPluggedInMidGameLovesFromItsFirstPress)
{
    start();
    playUntil(sf::milliseconds(700));
    pending.push_back(pads.connect(2));
    pending.push_back(pads.press(2, 5));
    ASSERT_EQ(frame(), Round::Outcome::Playing);
    ASSERT_EQ(frame(), Round::Outcome::Playing);
    EXPECT_TRUE(round->getBoard().has("love"));

    playUntil(sf::milliseconds(1100));
    EXPECT_FALSE(round->getBoard().has("love")); // taken on the beat
    EXPECT_EQ(zoop.plays, 1);
}

TEST_F(RoundGamepad, BackHeldWhileAnotherWindowHasTheFocusDoesNotClose)
{
    pending.push_back(windowEvent(sf::Event::LostFocus));
    start();
    ASSERT_EQ(frame(), Round::Outcome::Playing); // the focus is lost here
    pending.push_back(pads.connect(0));
    pending.push_back(pads.press(0, 6));
    playUntil(sf::milliseconds(2100));
    EXPECT_FALSE(round->getBoard().has("close"));

    // Back still down when the window gets the focus again: that closes, on the next half second.
    pending.push_back(windowEvent(sf::Event::GainedFocus));
    Round::Outcome outcome = Round::Outcome::Playing;
    while (outcome == Round::Outcome::Playing)
        outcome = frame();
    EXPECT_EQ(outcome, Round::Outcome::Closed);
    EXPECT_GE(base.offset, sf::milliseconds(2500));
    EXPECT_LE(base.offset, sf::milliseconds(2500) + frameTime() + frameTime());
}
