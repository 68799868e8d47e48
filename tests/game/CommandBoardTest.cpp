#include "support/BeatDriver.hpp"

#include <gtest/gtest.h>

namespace
{

// Plays the scripted music from its start to the given offset in frames of the given length.
void playTo(BeatDriver& beats, sf::Time offset, sf::Time frame = sf::milliseconds(16))
{
    while (beats.track.offset + frame <= offset)
        beats.step(frame);
    if (beats.track.offset < offset)
        beats.step(offset - beats.track.offset);
}

std::vector<std::string> names(const CommandBoard& board)
{
    std::vector<std::string> result;
    for (const Command& command : board.getCommands())
        result.push_back(command.name);
    return result;
}

} // namespace

TEST(CommandBoard, PostKeepsOrderAndRefusesAPresentName)
{
    BeatDriver beats;
    beats.board.post("move up", OnHalfSecond);
    beats.board.post("love", 1);
    beats.board.post("move up", 0); // collapses into the waiting one, which keeps its code
    beats.board.post("close", OnHalfSecond);
    EXPECT_EQ(names(beats.board), (std::vector<std::string>{"move up", "love", "close"}));
    EXPECT_EQ(beats.board.getCommands()[0].beatCode, OnHalfSecond);

    beats.toNextHalfSecond();
    EXPECT_TRUE(beats.board.isReady("move up"));
    beats.board.post("move up", OnHalfSecond); // a ready command refuses the name too
    EXPECT_EQ(beats.board.getCommands().size(), 3u);
    EXPECT_TRUE(beats.board.take("move up"));
    beats.board.post("move up", OnHalfSecond); // once taken, the name is free again
    EXPECT_EQ(names(beats.board), (std::vector<std::string>{"love", "close", "move up"}));
}

TEST(CommandBoard, TakeIsReadyHasUnreadyRemove)
{
    BeatDriver beats;
    beats.board.post("unlove", OnHalfSecond);
    EXPECT_TRUE(beats.board.has("unlove"));
    EXPECT_FALSE(beats.board.isReady("unlove"));
    EXPECT_FALSE(beats.board.take("unlove")); // a waiting command is not taken
    EXPECT_TRUE(beats.board.has("unlove"));

    beats.toNextHalfSecond();
    EXPECT_TRUE(beats.board.isReady("unlove"));
    beats.board.unready("unlove");
    EXPECT_FALSE(beats.board.isReady("unlove"));
    EXPECT_TRUE(beats.board.has("unlove"));
    EXPECT_FALSE(beats.board.take("unlove"));

    beats.toNextHalfSecond(); // released again by a later pulse
    EXPECT_TRUE(beats.board.isReady("unlove"));
    beats.board.remove("unlove");
    EXPECT_FALSE(beats.board.has("unlove"));
    beats.board.remove("never posted"); // no error
    EXPECT_FALSE(beats.board.take("unlove"));
    EXPECT_FALSE(beats.board.isReady("Unlove")); // names are compared byte for byte
}

TEST(CommandBoard, EachBeatCodeIsReleasedOnItsBeats)
{
    // The quarter of a second at which each code is first released, when posted at the very start of the music.
    struct Case
    {
        int code;
        int firstReleaseMs; // -1: never
    };
    const Case cases[] = {{0, 250},         {1, 250}, {2, 500}, {3, 750}, {OnHalfSecond, 500},
                          {OnOffBeat, 250}, {4, -1},  {-1, -1}, {-7, -1}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.code);
        BeatDriver beats;
        beats.board.post("command", c.code);
        int releasedAt = -1;
        for (int ms = 10; ms <= 2000 && releasedAt < 0; ms += 10)
        {
            beats.step(sf::milliseconds(10));
            if (beats.board.isReady("command"))
                releasedAt = beats.track.offset.asMilliseconds();
        }
        EXPECT_EQ(releasedAt, c.firstReleaseMs);
        if (c.firstReleaseMs < 0)
        {
            EXPECT_FALSE(beats.board.take("command"));
            EXPECT_TRUE(beats.board.has("command"));
        }
    }
}

TEST(CommandBoard, CodeOnePostedOnBeatTwoWaitsForTheNextSecond)
{
    BeatDriver beats;
    playTo(beats, sf::milliseconds(600));
    beats.board.post("command", 1);
    playTo(beats, sf::milliseconds(1249));
    EXPECT_FALSE(beats.board.isReady("command"));
    playTo(beats, sf::milliseconds(1250));
    EXPECT_TRUE(beats.board.isReady("command"));
}

TEST(CommandBoard, PostDuringThePulseIsReleasedInTheSameFrame)
{
    BeatDriver beats;
    playTo(beats, sf::milliseconds(500));
    ASSERT_TRUE(beats.clock.isOnBeat());
    beats.board.post("close", OnHalfSecond);
    beats.step(sf::milliseconds(10)); // still inside the 25 ms pulse
    EXPECT_TRUE(beats.board.isReady("close"));
}

TEST(BeatClock, PulsesFollowTheMusic)
{
    BeatDriver beats;
    // No pulse before the first quarter second: the clock starts on beat 0.
    for (int i = 0; i < 24; ++i)
    {
        beats.step(sf::milliseconds(10));
        EXPECT_FALSE(beats.clock.isOnBeat());
    }
    playTo(beats, sf::milliseconds(250));
    EXPECT_TRUE(beats.clock.isOnBeat());
    EXPECT_EQ(beats.clock.getBeat(), 1);

    // The pulse lasts until the first update at least 25 ms after it began.
    beats.step(sf::milliseconds(24));
    EXPECT_TRUE(beats.clock.isOnBeat());
    beats.step(sf::milliseconds(1));
    EXPECT_FALSE(beats.clock.isOnBeat());
}

TEST(BeatClock, EveryBeatGetsAPulseWhileFramesAreShorterThanAQuarterSecond)
{
    for (int frameMs : {1, 16, 33, 100, 249})
    {
        SCOPED_TRACE(frameMs);
        BeatDriver beats;
        int beatsSeen = 0;
        int previousBeat = 0;
        while (beats.track.offset + sf::milliseconds(frameMs) < sf::seconds(10.f))
        {
            beats.step(sf::milliseconds(frameMs));
            if (beats.clock.getBeat() != previousBeat)
            {
                ++beatsSeen;
                EXPECT_TRUE(beats.clock.isOnBeat()) << "at " << beats.track.offset.asMilliseconds() << " ms";
            }
            previousBeat = beats.clock.getBeat();
        }
        EXPECT_EQ(beatsSeen, 39); // every quarter second of ten, less the first
    }
}

TEST(BeatClock, PulseTimeIsTheClocksOwnNotTheMusics)
{
    // The music can jump (a stall) while little real time passes: the pulse still lasts 25 ms of the clock's time.
    BeatDriver beats;
    beats.track.offset = sf::milliseconds(500);
    beats.clock.update();
    EXPECT_TRUE(beats.clock.isOnBeat());
    beats.time.advance(sf::milliseconds(20));
    beats.clock.update();
    EXPECT_TRUE(beats.clock.isOnBeat());
    beats.time.advance(sf::milliseconds(5));
    beats.clock.update();
    EXPECT_FALSE(beats.clock.isOnBeat());
}
