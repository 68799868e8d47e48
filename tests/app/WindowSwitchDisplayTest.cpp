#include "app/WindowKeys.hpp"
#include "app/createWindow.hpp"
#include "render/presentCanvas.hpp"
#include "support/RoundHarness.hpp"

#include <gtest/gtest.h>

namespace
{

// A game in a real window: each frame is presented as the main screen presents it, and the window keys polled with
// the frame's events are carried out after it, as there.
struct WindowSwitch : RoundHarness
{
    sf::RenderWindow window;
    WindowKeys keys{WindowMode{3, false}, nullptr};
    int presented = 0;

    Round::Outcome shownFrame()
    {
        for (const sf::Event& event : pending)
            keys.notice(event);
        const Round::Outcome outcome = frame();
        canvas().clear(sf::Color::Black);
        drawList.draw(canvas());
        presentCanvas(window, canvas());
        ++presented;
        keys.apply(window);
        return outcome;
    }

    void press(sf::Keyboard::Key code, bool alt = false)
    {
        key(code, true);
        pending.back().key.alt = alt;
        key(code, false);
    }
};

} // namespace

// A move asked for just before the switch to fullscreen dashes on the next half second, as it would have; the frames
// go on in the new window, and back again.
TEST_F(WindowSwitch, aSwitchDuringAGameKeepsTheBeatAndTheFrames)
{
    canvas().create(CANVAS_WIDTH, CANVAS_HEIGHT);
    createWindow(window, WindowMode{3, false}, TITLE);
    start();
    while (base.offset < sf::milliseconds(1200))
        ASSERT_EQ(shownFrame(), Round::Outcome::Playing);

    press(sf::Keyboard::Right);
    press(sf::Keyboard::F11);
    ASSERT_EQ(shownFrame(), Round::Outcome::Playing);
    EXPECT_TRUE(keys.getMode().fullscreen);
    EXPECT_EQ(window.getSize(),
              sf::Vector2u(sf::VideoMode::getDesktopMode().width, sf::VideoMode::getDesktopMode().height));
    ASSERT_EQ(shownFrame(), Round::Outcome::Playing);
    EXPECT_TRUE(round->getBoard().has("move right"));

    const int before = presented;
    while (base.offset + frameTime() < sf::milliseconds(1500))
    {
        ASSERT_EQ(shownFrame(), Round::Outcome::Playing);
        EXPECT_EQ(dash.plays, 0);
    }
    ASSERT_EQ(shownFrame(), Round::Outcome::Playing); // the music passes the half second in this frame
    EXPECT_EQ(dash.plays, 1);
    EXPECT_GT(round->getPlayer().velocity.x, 300.f);
    EXPECT_EQ(presented - before, (1500 - 1200) / 16 - 1);

    press(sf::Keyboard::Enter, true);
    ASSERT_EQ(shownFrame(), Round::Outcome::Playing);
    EXPECT_FALSE(keys.getMode().fullscreen);
    EXPECT_EQ(window.getSize(), sf::Vector2u(WINDOW_WIDTH, WINDOW_HEIGHT));
    for (int more = 0; more < 10; ++more)
        ASSERT_EQ(shownFrame(), Round::Outcome::Playing);
    EXPECT_TRUE(window.isOpen());
}
