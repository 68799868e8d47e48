#include "game/EndingCard.hpp"

#include <gtest/gtest.h>

TEST(Countdown, ShowsTenMinusWholeSecondsPlayedDownToZero)
{
    EXPECT_EQ(countdownText(sf::Time::Zero), "10");
    EXPECT_EQ(countdownText(sf::milliseconds(999)), "10");
    EXPECT_EQ(countdownText(sf::milliseconds(1000)), "9");
    EXPECT_EQ(countdownText(sf::milliseconds(9990)), "1");
    EXPECT_EQ(countdownText(sf::microseconds(9999999)), "1");
    EXPECT_EQ(countdownText(sf::seconds(10.f)), "0");
    EXPECT_EQ(countdownText(sf::seconds(13.9f)), "0");
    EXPECT_EQ(countdownText(sf::seconds(60.f)), "0");
}

TEST(Countdown, FadeAlphaTruncatesAndStaysOpaqueAtMost)
{
    EXPECT_EQ(fadeAlpha(0.f), 0);
    EXPECT_EQ(fadeAlpha(127.5f), 127);
    EXPECT_EQ(fadeAlpha(254.99f), 254);
    EXPECT_EQ(fadeAlpha(255.f), 255);
    // Past the end of the music the level would pass 255; as a byte it must not wrap round to transparent.
    EXPECT_EQ(fadeAlpha(300.f), 255);
}
