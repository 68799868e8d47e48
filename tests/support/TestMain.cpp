#include "kit/Random.hpp"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Every test sees the same random numbers, run after run.
    kit::setRandomSeed(20261208u);
    return RUN_ALL_TESTS();
}
