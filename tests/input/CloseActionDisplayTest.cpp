#include "input/Bindings.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/System/Sleep.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>

// The real keyboard and real window events, driven by xdotool on the test's own X display.

namespace
{

int xdotool(const std::string& arguments)
{
    return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str());
}

// Lets go of a key however the test ends, so no later test starts with it held down.
class HeldKey
{
public:
    explicit HeldKey(std::string name)
        : name(std::move(name))
    {
        EXPECT_EQ(xdotool("keydown " + this->name), 0);
    }
    ~HeldKey() { release(); }
    void release()
    {
        if (!released)
            xdotool("keyup " + name);
        released = true;
    }

private:
    std::string name;
    bool released = false;
};

// A small window with the game's bindings, updated the way the game's frame does it.
class Screen
{
public:
    explicit Screen(const std::string& label)
        : title("brindlewick input test " + std::to_string(getpid()) + " " + label)
        , window(sf::VideoMode(160, 100), title, sf::Style::Close)
    {
        window.setKeyRepeatEnabled(false);
        bindCloseAction(actions);
        bindMainActions(actions);
    }

    // Gives this window the keyboard focus (there is no window manager, so no activation: the focus is set directly).
    bool focus()
    {
        return waitFor([&]
                       { return xdotool("search --name '^" + title + "$' windowfocus") == 0 && window.hasFocus(); });
    }

    // Updates the actions until the condition holds, for at most two seconds while X delivers what xdotool sent.
    bool waitFor(const std::function<bool()>& condition)
    {
        sf::Clock clock;
        while (clock.getElapsedTime() < sf::seconds(2.f))
        {
            actions.update(window);
            if (condition())
                return true;
            sf::sleep(sf::milliseconds(5));
        }
        return false;
    }

    std::string title;
    sf::RenderWindow window;
    kit::ActionMap actions;
};

} // namespace

TEST(CloseActionDisplay, heldEscapeClosesUntilItIsReleased)
{
    Screen screen("escape");
    ASSERT_TRUE(screen.focus());
    ASSERT_FALSE(sf::Keyboard::isKeyPressed(sf::Keyboard::Escape));
    EXPECT_FALSE(screen.actions.isActive("close"));

    HeldKey escape("Escape");
    EXPECT_TRUE(screen.waitFor([&] { return screen.actions.isActive("close"); }));
    // Still active in later frames while it stays down.
    screen.actions.update(screen.window);
    EXPECT_TRUE(screen.actions.isActive("close"));

    escape.release();
    EXPECT_TRUE(screen.waitFor([&] { return !screen.actions.isActive("close"); }));
}

TEST(CloseActionDisplay, escapeHeldWhileAnotherWindowHasTheFocusDoesNotClose)
{
    Screen game("game");
    Screen other("other");
    ASSERT_TRUE(game.focus());
    ASSERT_TRUE(other.focus());
    ASSERT_TRUE(game.waitFor([&] { return !game.actions.hasFocus(); }));

    HeldKey escape("Escape");
    ASSERT_TRUE(game.waitFor([] { return sf::Keyboard::isKeyPressed(sf::Keyboard::Escape); }));
    game.actions.update(game.window);
    EXPECT_FALSE(game.actions.isActive("close"));

    // Back in the game's window with Escape still down, it closes.
    ASSERT_TRUE(game.focus());
    EXPECT_TRUE(game.waitFor([&] { return game.actions.isActive("close"); }));
}

TEST(CloseActionDisplay, aRealKeyPressIsActiveForOneUpdateOnly)
{
    Screen screen("press");
    ASSERT_TRUE(screen.focus());

    HeldKey w("w");
    EXPECT_TRUE(screen.waitFor([&] { return screen.actions.isActive("up key"); }));
    EXPECT_TRUE(screen.actions.isActive("move key"));

    // Still held, and key repeat is off: the next update brings no new press.
    screen.actions.update(screen.window);
    EXPECT_FALSE(screen.actions.isActive("up key"));

    w.release();
    EXPECT_TRUE(screen.waitFor([] { return !sf::Keyboard::isKeyPressed(sf::Keyboard::W); }));
    EXPECT_FALSE(screen.actions.isActive("up key"));
}
