#include "kit/Random.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

#ifdef BRINDLEWICK_DISPLAY_TESTS
#include "app/DisplayConnection.hpp"

#include <SFML/Window/Context.hpp>

#include <iostream>
#include <memory>
#include <stdexcept>

// What a display test reports when there is no X server: CTest counts the test as skipped (tests/CMakeLists.txt).
constexpr int NoDisplayStatus = 77;
#endif

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // No test touches the player's own settings or kept games.
    setenv("XDG_STATE_HOME", BRINDLEWICK_BUILD_DIR "/test-home/state", 1);
    setenv("XDG_CONFIG_HOME", BRINDLEWICK_BUILD_DIR "/test-home/config", 1);
    // Every test sees the same random numbers, run after run.
    kit::setRandomSeed(20261208u);
#ifdef BRINDLEWICK_DISPLAY_TESTS
    // Listing the tests (as CTest does to find them) needs no display.
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    // SFML aborts the whole run when it cannot open a display; without one, no display test can run.
    std::unique_ptr<DisplayConnection> display;
    try
    {
        display = std::make_unique<DisplayConnection>();
    }
    catch (const std::runtime_error& error)
    {
        std::cout << "skipped: " << error.what() << std::endl;
        return NoDisplayStatus;
    }
    // Xvfb resets when its last client leaves, and SFML drops its display connection with its last OpenGL
    // resource: one context held for the whole run keeps tests that make textures one after another connected.
    const sf::Context keepDisplay;
#endif
    return RUN_ALL_TESTS();
}
