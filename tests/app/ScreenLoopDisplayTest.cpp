#include "app/Game.hpp"
#include "app/Settings.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace
{

// A screen that returns a scripted list of next indices and counts its runs.
class ScriptedScreen : public Screen
{
public:
    explicit ScriptedScreen(std::vector<int> results)
        : nextIndices(std::move(results))
    {
    }

    int run(sf::RenderWindow&, kit::MultiResourceCache&) override
    {
        const int result = nextIndices.at(runs);
        ++runs;
        return result;
    }

    std::size_t runs = 0;

private:
    std::vector<int> nextIndices;
};

} // namespace

TEST(ScreenLoop, RunsScreensUntilAnIndexNamesNone)
{
    sf::RenderWindow window;
    kit::MultiResourceCache cache;

    ScriptedScreen first({1, 1, -1});
    ScriptedScreen second({0, 0});
    runScreens({&first, &second}, window, cache);
    EXPECT_EQ(first.runs, 3u);
    EXPECT_EQ(second.runs, 2u);

    // The main screen's 1 for a closed window names no screen in a one-screen game: the loop ends.
    ScriptedScreen only({1});
    runScreens({&only}, window, cache);
    EXPECT_EQ(only.runs, 1u);

    ScriptedScreen farOff({7});
    runScreens({&farOff}, window, cache);
    EXPECT_EQ(farOff.runs, 1u);
}

TEST(ScreenLoop, ConstructingAScreenSizesTheCanvas)
{
    ScriptedScreen screen({-1});
    EXPECT_EQ(canvas().getSize(), sf::Vector2u(CANVAS_WIDTH, CANVAS_HEIGHT));
}
