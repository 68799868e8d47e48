// A whole game driven frame by frame with scripted music, frame times and input: no window, no audio device,
// no waiting. (Textures and text need an OpenGL context, hence a display test.)

#include "support/RoundHarness.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace
{

sf::Event keyEvent(sf::Event::EventType type, sf::Keyboard::Key key)
{
    sf::Event event{};
    event.type = type;
    event.key.code = key;
    return event;
}

sf::Event closeEvent()
{
    sf::Event event{};
    event.type = sf::Event::Closed;
    return event;
}

const sf::Time FrameTime = RoundHarness::frameTime();

struct RoundFixture : RoundHarness
{
    // Runs frames until the music has passed the given offset; every frame must go on playing.
    void playUntil(sf::Time offset)
    {
        while (base.offset < offset)
            ASSERT_EQ(frame(), Round::Outcome::Playing);
    }

    Player& player() { return round->getPlayer(); }
};

} // namespace

TEST_F(RoundFixture, SetUpPutsTheDrawablesBackToFront)
{
    start();
    std::vector<const sf::Drawable*> order;
    for (const DrawEntry& entry : drawList.getEntries())
        order.push_back(entry.drawable);
    const std::vector<const sf::Drawable*> expected{&round->getBackgroundA(),
                                                    &round->getBackgroundB(),
                                                    &round->getRegionSelector(),
                                                    &round->getDust().getDrawable(),
                                                    &round->getPlayer(),
                                                    &round->getTimeIcon(),
                                                    &round->getCountdown(),
                                                    &round->getEndingCard().getCard(),
                                                    &round->getEndingCard().getTitle()};
    EXPECT_EQ(order, expected);

    // A baseballer made later goes in front of the countdown and behind the card.
    playUntil(sf::milliseconds(300));
    ASSERT_FALSE(round->getFlock().getBaseballers().empty());
    const auto& entries = drawList.getEntries();
    EXPECT_EQ(entries[entries.size() - 3].drawable, round->getFlock().getBaseballers().front().get());
}

TEST_F(RoundFixture, StartsAtOneOfFourPointsWithItsHalfsStemLoud)
{
    std::set<std::pair<float, float>> starts;
    for (unsigned seed = 1; seed <= 40; ++seed)
    {
        drawList.clear();
        start(seed);
        const sf::Vector2f at = player().getPosition();
        starts.insert({at.x, at.y});
        const bool bottomStart = at.y == 150.f;
        EXPECT_EQ(top.volume, bottomStart ? 0.f : 100.f);
        EXPECT_EQ(bottom.volume, bottomStart ? 100.f : 0.f);
        EXPECT_EQ(base.volumeSets, 0);
    }
    const std::set<std::pair<float, float>> corners{{50.f, 50.f}, {250.f, 50.f}, {50.f, 150.f}, {250.f, 150.f}};
    EXPECT_EQ(starts, corners);
}

TEST_F(RoundFixture, AKeyPressIsPostedTheFrameAfterItsPollAndActsOnTheNextHalfSecond)
{
    start();
    const sf::Vector2f startAt = player().getPosition();
    pending.push_back(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Right));
    ASSERT_EQ(frame(), Round::Outcome::Playing); // the press is polled at the end of this frame
    EXPECT_FALSE(round->getBoard().has("move right"));
    ASSERT_EQ(frame(), Round::Outcome::Playing);
    EXPECT_TRUE(round->getBoard().has("move right"));
    EXPECT_FALSE(round->getBoard().isReady("move right"));
    EXPECT_EQ(player().getColor(), sf::Color(255, 100, 100, 255)); // tinted while the move waits

    while (base.offset + FrameTime < sf::milliseconds(500))
    {
        ASSERT_EQ(frame(), Round::Outcome::Playing);
        EXPECT_EQ(player().getPosition(), startAt);
    }
    ASSERT_EQ(frame(), Round::Outcome::Playing); // the music passes the half second in this frame
    EXPECT_FALSE(round->getBoard().has("move right"));
    EXPECT_GT(player().velocity.x, 300.f);
    EXPECT_GT(player().getPosition().x, startAt.x);
    EXPECT_EQ(player().getColor(), sf::Color::White);
    EXPECT_EQ(dash.plays, 1);
}

TEST_F(RoundFixture, CloseEndsTheGameTheFrameAfterItsRelease)
{
    start();
    base.offset = sf::milliseconds(100);
    pending.push_back(closeEvent());
    ASSERT_EQ(frame(), Round::Outcome::Playing);
    ASSERT_EQ(frame(), Round::Outcome::Playing); // posted here
    EXPECT_TRUE(round->getBoard().has("close"));
    while (!round->getBoard().isReady("close"))
        ASSERT_EQ(frame(), Round::Outcome::Playing);
    EXPECT_GE(base.offset, sf::milliseconds(500));
    EXPECT_LT(base.offset, sf::milliseconds(500) + FrameTime);
    EXPECT_EQ(frame(), Round::Outcome::Closed);
}

TEST_F(RoundFixture, EscapeHeldFromTheStartClosesOnTheFirstHalfSecond)
{
    held.insert(sf::Keyboard::Escape);
    start();
    Round::Outcome outcome = Round::Outcome::Playing;
    while (outcome == Round::Outcome::Playing)
        outcome = frame();
    EXPECT_EQ(outcome, Round::Outcome::Closed);
    EXPECT_GE(base.offset, sf::milliseconds(500));
    EXPECT_LE(base.offset, sf::milliseconds(500) + FrameTime + FrameTime);
}

TEST_F(RoundFixture, AStoppedBaseStemEndsTheGameAtOnce)
{
    base.status = sf::SoundSource::Stopped;
    start();
    EXPECT_EQ(frame(), Round::Outcome::MusicEnded);
    EXPECT_EQ(round->getBackgroundA().getPosition(), sf::Vector2f(0.f, 0.f)); // the world did not move
    EXPECT_TRUE(round->getFlock().getBaseballers().empty());
}

TEST_F(RoundFixture, TheSelectorFollowsThePlayersHalfAndTheStemsFollowIt)
{
    start(3);
    player().setPosition(120.f, 100.f); // exactly on the line: still the top half
    frame();
    EXPECT_FALSE(round->isBottomHalf());
    EXPECT_EQ(round->getRegionSelector().getPosition(), sf::Vector2f(0.f, 0.f));

    player().setPosition(120.f, 100.5f);
    const int topBefore = round->getMixer().getTopVolume();
    frame();
    EXPECT_TRUE(round->isBottomHalf());
    EXPECT_EQ(round->getRegionSelector().getPosition(), sf::Vector2f(0.f, 100.f));
    EXPECT_EQ(round->getMixer().getTopVolume(), std::max(topBefore - 2, 0));
    for (int i = 0; i < 60; ++i)
        frame();
    EXPECT_EQ(top.volume, 0.f);
    EXPECT_EQ(bottom.volume, 100.f);
    EXPECT_EQ(base.volumeSets, 0); // the base stem is never touched
}

TEST_F(RoundFixture, BackgroundsScrollAndWrapToExactly300)
{
    base.duration = sf::seconds(120.f);
    start();
    frame(sf::seconds(1.f));
    EXPECT_FLOAT_EQ(round->getBackgroundA().getPosition().x, -10.f);
    EXPECT_FLOAT_EQ(round->getBackgroundB().getPosition().x, 290.f);
    frame(sf::seconds(29.5f)); // a long stall: A passes -300 and jumps to exactly 300, the rest of the step dropped
    EXPECT_EQ(round->getBackgroundA().getPosition().x, 300.f);
    EXPECT_FLOAT_EQ(round->getBackgroundB().getPosition().x, -5.f);
}

TEST_F(RoundFixture, CountdownFollowsTheSecondsPlayed)
{
    start();
    frame();
    EXPECT_EQ(round->getCountdown().getString(), "10");
    base.offset = sf::milliseconds(9990) - FrameTime;
    frame();
    EXPECT_EQ(round->getCountdown().getString(), "1");
    frame();
    EXPECT_EQ(round->getCountdown().getString(), "0");
    base.offset = sf::seconds(13.f);
    frame();
    EXPECT_EQ(round->getCountdown().getString(), "0");
}

TEST_F(RoundFixture, TheCardFadesInOverTheLastFourSecondsOneFrameBehindTheTitle)
{
    start();
    base.offset = sf::seconds(9.5f);
    frame();
    EXPECT_EQ(round->getEndingCard().getFadeLevel(), 0.f);
    EXPECT_EQ(round->getEndingCard().getTitle().getFillColor().a, 0);

    base.offset = sf::seconds(12.f) - FrameTime; // two seconds before the end of a 14 s stem
    frame();
    EXPECT_FLOAT_EQ(round->getEndingCard().getFadeLevel(), 127.5f);
    EXPECT_EQ(round->getEndingCard().getTitle().getFillColor().a, 127);
    EXPECT_LT(round->getEndingCard().getCard().getFillColor().a, 127);
    frame(sf::Time::Zero);
    EXPECT_EQ(round->getEndingCard().getCard().getFillColor().a, 127);
}

TEST_F(RoundFixture, AShortBaseStemFadesFromTheFirstFrame)
{
    base.duration = sf::seconds(3.f);
    start();
    frame(sf::milliseconds(500));
    // Fade start is 1 s before the music began: (0.5 + 1) s of fade at 63.75 a second.
    EXPECT_FLOAT_EQ(round->getEndingCard().getFadeLevel(), 95.625f);
    EXPECT_EQ(round->getEndingCard().getTitle().getFillColor().a, 95);
}
