#include "kit/Random.hpp"

#include <gtest/gtest.h>

#ifdef BRINDLEWICK_DISPLAY_TESTS
#include <SFML/Window/Context.hpp>
#endif

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Every test sees the same random numbers, run after run.
    kit::setRandomSeed(20261208u);
#ifdef BRINDLEWICK_DISPLAY_TESTS
    // Xvfb resets when its last client leaves, and SFML drops its display connection with its last OpenGL
    // resource: one context held for the whole run keeps tests that make textures one after another connected.
    const sf::Context keepDisplay;
#endif
    return RUN_ALL_TESTS();
}
