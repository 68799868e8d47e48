#include "kit/ActionMap.hpp"

#include <gtest/gtest.h>

#include <set>

using kit::Action;
using kit::ActionMap;

namespace
{

sf::Event keyEvent(sf::Event::EventType type, sf::Keyboard::Key key)
{
    sf::Event event{};
    event.type = type;
    event.key.code = key;
    return event;
}

sf::Event windowEvent(sf::Event::EventType type)
{
    sf::Event event{};
    event.type = type;
    return event;
}

// An action map on a keyboard the test holds keys down on.
class ActionMapTest : public ::testing::Test
{
protected:
    // What one update would leave in the buffer.
    void poll(std::initializer_list<sf::Event> events)
    {
        actions.clearEvents();
        for (const sf::Event& event : events)
            actions.pushEvent(event);
    }

    std::set<sf::Keyboard::Key> held;
    ActionMap actions{[this](sf::Keyboard::Key key) { return held.count(key) > 0; }};
};

} // namespace

TEST_F(ActionMapTest, holdAsksTheKeyboardOnceAndAgainAfterTheKeysOwnEventsOrAChangeOfFocus)
{
    actions["run"] = Action(sf::Keyboard::Space, Action::Hold);
    actions["other"] = Action(sf::Keyboard::X, Action::Hold);
    int asked = 0;
    ActionMap counted(
        [&](sf::Keyboard::Key key)
        {
            ++asked;
            return held.count(key) > 0;
        });
    counted["run"] = Action(sf::Keyboard::Space, Action::Hold);

    // Held from the start: the first question finds it.
    held.insert(sf::Keyboard::Space);
    EXPECT_TRUE(actions.isActive("run"));
    // Frames without its events ask nothing; the answer stands.
    for (int frame = 0; frame < 3; ++frame)
    {
        counted.clearEvents();
        EXPECT_TRUE(counted.isActive("run"));
    }
    EXPECT_EQ(asked, 1);

    // Its release is asked about again, and so is its press; a press event without the key down is not a hold.
    held.clear();
    poll({keyEvent(sf::Event::KeyReleased, sf::Keyboard::Space)});
    EXPECT_FALSE(actions.isActive("run"));
    poll({keyEvent(sf::Event::KeyPressed, sf::Keyboard::Space)});
    EXPECT_FALSE(actions.isActive("run"));
    held.insert(sf::Keyboard::Space);
    poll({keyEvent(sf::Event::KeyPressed, sf::Keyboard::Space)});
    EXPECT_TRUE(actions.isActive("run"));

    // Another key's event leaves the answer as it was, while a key with no code of its own makes every key unknown.
    held = {sf::Keyboard::X};
    poll({keyEvent(sf::Event::KeyPressed, sf::Keyboard::X)});
    EXPECT_TRUE(actions.isActive("run"));
    EXPECT_TRUE(actions.isActive("other"));
    poll({keyEvent(sf::Event::KeyPressed, sf::Keyboard::Unknown)});
    EXPECT_FALSE(actions.isActive("run"));

    // Let go while the focus was elsewhere: found out when it comes back.
    held.insert(sf::Keyboard::Space);
    poll({keyEvent(sf::Event::KeyPressed, sf::Keyboard::Space)});
    ASSERT_TRUE(actions.isActive("run"));
    poll({windowEvent(sf::Event::LostFocus)});
    held.clear();
    poll({windowEvent(sf::Event::GainedFocus)});
    EXPECT_FALSE(actions.isActive("run"));
}

TEST_F(ActionMapTest, pressAndReleaseCountForTheUpdateThatPolledThemOnly)
{
    actions["press"] = Action(sf::Keyboard::X, Action::PressOnce);
    actions["release"] = Action(sf::Keyboard::X, Action::ReleaseOnce);

    held.insert(sf::Keyboard::X);
    poll({keyEvent(sf::Event::KeyPressed, sf::Keyboard::X)});
    EXPECT_TRUE(actions.isActive("press"));
    EXPECT_FALSE(actions.isActive("release"));

    // Still held, but no new event: the press is over.
    poll({});
    EXPECT_FALSE(actions.isActive("press"));

    held.clear();
    poll({keyEvent(sf::Event::KeyReleased, sf::Keyboard::X)});
    EXPECT_FALSE(actions.isActive("press"));
    EXPECT_TRUE(actions.isActive("release"));

    // Events of other keys do not count.
    poll({keyEvent(sf::Event::KeyPressed, sf::Keyboard::Y), keyEvent(sf::Event::KeyReleased, sf::Keyboard::Y)});
    EXPECT_FALSE(actions.isActive("press"));
    EXPECT_FALSE(actions.isActive("release"));

    // clearEvents alone empties the buffer too.
    actions.pushEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::X));
    actions.clearEvents();
    EXPECT_FALSE(actions.isActive("press"));
}

TEST_F(ActionMapTest, eventTypeActionIsActiveWhileTheBufferHoldsSuchAnEvent)
{
    actions["resized"] = Action(sf::Event::Resized);

    poll({keyEvent(sf::Event::KeyPressed, sf::Keyboard::A), windowEvent(sf::Event::Resized)});
    EXPECT_TRUE(actions.isActive("resized"));
    poll({windowEvent(sf::Event::Closed)});
    EXPECT_FALSE(actions.isActive("resized"));
}

TEST_F(ActionMapTest, combinationKeepsCopiesOfItsPartsAsTheyWereWhenCombined)
{
    actions["a"] = Action(sf::Keyboard::A, Action::PressOnce);
    actions["b"] = Action(sf::Keyboard::B, Action::PressOnce);
    actions["either"] = actions["a"] || actions["b"];

    // Rebinding a part later replaces it under its own name but not inside the combination.
    actions["a"] = Action(sf::Keyboard::C, Action::PressOnce);

    poll({keyEvent(sf::Event::KeyPressed, sf::Keyboard::A)});
    EXPECT_TRUE(actions.isActive("either"));
    EXPECT_FALSE(actions.isActive("a"));

    poll({keyEvent(sf::Event::KeyPressed, sf::Keyboard::C)});
    EXPECT_FALSE(actions.isActive("either"));
    EXPECT_TRUE(actions.isActive("a"));

    poll({keyEvent(sf::Event::KeyPressed, sf::Keyboard::B)});
    EXPECT_TRUE(actions.isActive("either"));
}

TEST_F(ActionMapTest, unboundAndLookedUpOnlyNamesAreNeverActive)
{
    held.insert(sf::Keyboard::Escape);
    poll({keyEvent(sf::Event::KeyPressed, sf::Keyboard::Escape), windowEvent(sf::Event::Closed)});

    EXPECT_FALSE(actions.isActive("never bound"));

    actions["looked up"];
    EXPECT_FALSE(actions.isActive("looked up"));

    // An unassigned action also does nothing inside a combination.
    actions["with nothing"] = actions["looked up"] || Action(sf::Keyboard::Q, Action::Hold);
    EXPECT_FALSE(actions.isActive("with nothing"));
}

TEST_F(ActionMapTest, holdIsIgnoredWhileTheWindowLacksTheFocus)
{
    actions["hold"] = Action(sf::Keyboard::Escape, Action::Hold);
    actions["press"] = Action(sf::Keyboard::Escape, Action::PressOnce);
    held.insert(sf::Keyboard::Escape);

    // Focused until told otherwise.
    EXPECT_TRUE(actions.isActive("hold"));

    poll({windowEvent(sf::Event::LostFocus)});
    EXPECT_FALSE(actions.isActive("hold"));
    // Still unfocused in later updates that bring no focus event.
    poll({});
    EXPECT_FALSE(actions.isActive("hold"));

    poll({windowEvent(sf::Event::GainedFocus)});
    EXPECT_TRUE(actions.isActive("hold"));
    poll({});
    EXPECT_TRUE(actions.isActive("hold"));

    // The last focus event of an update decides; an event the window did receive still counts.
    poll({windowEvent(sf::Event::GainedFocus), keyEvent(sf::Event::KeyPressed, sf::Keyboard::Escape),
          windowEvent(sf::Event::LostFocus)});
    EXPECT_FALSE(actions.isActive("hold"));
    EXPECT_TRUE(actions.isActive("press"));
}
