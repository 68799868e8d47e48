#include "app/WindowMode.hpp"

#include <gtest/gtest.h>

TEST(WindowMode, aScaleThatDoesNotFitTheDesktopKeepsTheGamesOwn)
{
    struct Case
    {
        int scale;
        sf::Vector2u desktop;
        unsigned mode;
        bool problem;
    };
    const Case cases[] = {
        {4, {1280, 1024}, 4, false},   {5, {1280, 1024}, 3, true},
        {10, {3840, 2160}, 10, false}, {11, {3840, 2160}, 3, true},
        {1, {1280, 1024}, 1, false},   {3, {800, 600}, 3, false}, // the game's own scale is never refused
    };
    for (const Case& c : cases)
    {
        std::string problem;
        const WindowMode mode = windowModeFor(c.scale, true, c.desktop, problem);
        EXPECT_EQ(mode.scale, c.mode) << c.scale;
        EXPECT_TRUE(mode.fullscreen);
        EXPECT_EQ(!problem.empty(), c.problem) << problem;
    }
    std::string problem;
    windowModeFor(5, false, {1280, 1024}, problem);
    EXPECT_EQ(problem, "a scale of 5 makes a 1500x1000 window, larger than the desktop's 1280x1024 (at most 4 fits); "
                       "the window keeps the scale of 3");
    EXPECT_EQ(largestScale({1280, 1024}), 4u);
    EXPECT_EQ(largestScale({100, 100}), 1u);
}
