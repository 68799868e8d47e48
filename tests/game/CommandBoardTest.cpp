#include "support/BeatDriver.hpp"

#include <gtest/gtest.h>

TEST(CommandBoard, placeholder)
{
    BeatDriver beats;
    beats.board.post("close", OnHalfSecond);
    EXPECT_FALSE(beats.board.take("close"));
    beats.toNextHalfSecond();
    EXPECT_TRUE(beats.board.take("close"));
}
