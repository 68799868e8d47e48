#include "input/Bindings.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using sf::Keyboard;

namespace
{

sf::Event keyEvent(sf::Event::EventType type, Keyboard::Key key)
{
    sf::Event event{};
    event.type = type;
    event.key.code = key;
    return event;
}

sf::Event pressed(Keyboard::Key key)
{
    return keyEvent(sf::Event::KeyPressed, key);
}

sf::Event released(Keyboard::Key key)
{
    return keyEvent(sf::Event::KeyReleased, key);
}

sf::Event windowEvent(sf::Event::EventType type)
{
    sf::Event event{};
    event.type = type;
    return event;
}

const std::vector<std::string> AllNames = {"close",     "up key",   "down key", "left key",
                                           "right key", "move key", "love",     "unlove"};

// A screen's actions as the main screen binds them, on a keyboard the test holds keys down on.
class Bindings : public ::testing::Test
{
protected:
    Bindings()
    {
        bindCloseAction(actions);
        bindMainActions(actions);
    }

    // One update of the map: the buffer afterwards holds exactly these events.
    void poll(std::initializer_list<sf::Event> events)
    {
        actions.clearEvents();
        for (const sf::Event& event : events)
            actions.pushEvent(event);
    }

    std::set<std::string> active() const
    {
        std::set<std::string> names;
        for (const std::string& name : AllNames)
        {
            if (actions.isActive(name))
                names.insert(name);
        }
        return names;
    }

    std::set<Keyboard::Key> held;
    kit::ActionMap actions{[this](Keyboard::Key key) { return held.count(key) > 0; }};
};

using Names = std::set<std::string>;

} // namespace

TEST_F(Bindings, nothingIsActiveBeforeAnyInput)
{
    EXPECT_EQ(active(), Names{});
    poll({});
    EXPECT_EQ(active(), Names{});
}

TEST_F(Bindings, eachDirectionKeyPressActivatesItsDirectionAndMoveForOneUpdate)
{
    const struct
    {
        Keyboard::Key key;
        const char* action;
    } table[] = {{Keyboard::Up, "up key"},       {Keyboard::W, "up key"},      {Keyboard::Down, "down key"},
                 {Keyboard::S, "down key"},      {Keyboard::Left, "left key"}, {Keyboard::A, "left key"},
                 {Keyboard::Right, "right key"}, {Keyboard::D, "right key"}};

    for (const auto& row : table)
    {
        SCOPED_TRACE(row.action + std::string(" from key ") + std::to_string(row.key));
        held = {row.key};
        poll({pressed(row.key)});
        EXPECT_EQ(active(), (Names{row.action, "move key"}));

        // The key stays down, but it was pressed only once.
        poll({});
        EXPECT_EQ(active(), Names{});

        held.clear();
        poll({released(row.key)});
        EXPECT_EQ(active(), Names{});
    }
}

TEST_F(Bindings, holdingRightForManyFramesMovesOnce)
{
    held = {Keyboard::Right};
    int framesActive = 0;
    poll({pressed(Keyboard::Right)});
    for (int frame = 0; frame < 30; ++frame)
    {
        framesActive += actions.isActive("right key") ? 1 : 0;
        poll({});
    }
    EXPECT_EQ(framesActive, 1);
}

TEST_F(Bindings, wAndUpInOneUpdateAreOneFrameOfUpInTwoUpdatesTwo)
{
    poll({pressed(Keyboard::W), pressed(Keyboard::Up)});
    EXPECT_TRUE(actions.isActive("up key"));
    poll({});
    EXPECT_FALSE(actions.isActive("up key"));

    poll({pressed(Keyboard::W)});
    EXPECT_TRUE(actions.isActive("up key"));
    poll({pressed(Keyboard::Up)});
    EXPECT_TRUE(actions.isActive("up key"));
}

TEST_F(Bindings, severalDirectionsInOneUpdateAreAllActive)
{
    poll({pressed(Keyboard::A), pressed(Keyboard::Down)});
    EXPECT_EQ(active(), (Names{"left key", "down key", "move key"}));
}

TEST_F(Bindings, shiftPressLovesAndReleaseUnloves)
{
    for (Keyboard::Key shift : {Keyboard::LShift, Keyboard::RShift})
    {
        SCOPED_TRACE(shift);
        held = {shift};
        poll({pressed(shift)});
        EXPECT_EQ(active(), Names{"love"});

        // Holding on is not loving again.
        poll({});
        EXPECT_EQ(active(), Names{});

        held.clear();
        poll({released(shift)});
        EXPECT_EQ(active(), Names{"unlove"});

        // Pressed and released between two updates: both in the same frame.
        poll({pressed(shift), released(shift)});
        EXPECT_EQ(active(), (Names{"love", "unlove"}));
    }
}

TEST_F(Bindings, closeButtonClosesInTheFrameAfterItWasPolled)
{
    poll({windowEvent(sf::Event::Closed)});
    EXPECT_EQ(active(), Names{"close"});
    poll({});
    EXPECT_FALSE(actions.isActive("close"));
}

TEST_F(Bindings, escapeClosesWhileHeldFromTheFirstFrameButNotWhileAnotherWindowHasTheFocus)
{
    held = {Keyboard::Escape};
    // Before any update, as in the first frame.
    EXPECT_EQ(active(), Names{"close"});
    for (int frame = 0; frame < 3; ++frame)
    {
        poll({});
        EXPECT_TRUE(actions.isActive("close"));
    }

    // Escape held in another program must not end the game.
    poll({windowEvent(sf::Event::LostFocus)});
    EXPECT_FALSE(actions.isActive("close"));
    poll({});
    EXPECT_FALSE(actions.isActive("close"));
    poll({windowEvent(sf::Event::GainedFocus)});
    EXPECT_TRUE(actions.isActive("close"));

    // A press event alone is not enough: "close" reads the key as it is now.
    held.clear();
    poll({pressed(Keyboard::Escape)});
    EXPECT_FALSE(actions.isActive("close"));
}

TEST_F(Bindings, heldKeysWithoutEventsMoveNothingAndOtherKeysDoNothing)
{
    held = {Keyboard::W, Keyboard::A, Keyboard::S, Keyboard::D, Keyboard::LShift, Keyboard::Up};
    poll({});
    EXPECT_EQ(active(), Names{});

    held.clear();
    poll({pressed(Keyboard::Space), pressed(Keyboard::Enter), released(Keyboard::Q), pressed(Keyboard::LControl),
          windowEvent(sf::Event::Resized)});
    EXPECT_EQ(active(), Names{});
}

TEST_F(Bindings, unboundNamesStayInactive)
{
    poll({pressed(Keyboard::Up), windowEvent(sf::Event::Closed)});
    EXPECT_FALSE(actions.isActive("move up"));
    EXPECT_FALSE(actions.isActive("Close"));
    actions["jump"];
    EXPECT_FALSE(actions.isActive("jump"));
}
