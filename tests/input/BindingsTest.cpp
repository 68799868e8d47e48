#include "input/Bindings.hpp"
#include "support/ScriptedPads.hpp"

#include <gtest/gtest.h>

#include <map>
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

namespace
{

sf::Event padMove(unsigned id, sf::Joystick::Axis axis, float position)
{
    return ScriptedPads::moveEvent(id, axis, position);
}

sf::Event padButton(sf::Event::EventType type, unsigned id, unsigned button)
{
    return ScriptedPads::buttonEvent(type, id, button);
}

sf::Event padConnection(sf::Event::EventType type, unsigned id)
{
    return ScriptedPads::connectionEvent(type, id);
}

// The same bindings with pads the test plugs in and holds buttons down on.
class PadBindings : public Bindings
{
protected:
    PadBindings()
    {
        kit::JoystickState state;
        state.isConnected = [this](unsigned id) { return buttonCounts.count(id) > 0; };
        state.getButtonCount = [this](unsigned id) { return buttonCounts.at(id); };
        state.isButtonPressed = [this](unsigned id, unsigned button) { return heldButtons.count({id, button}) > 0; };
        state.getAxisPosition = [](unsigned, sf::Joystick::Axis) { return 0.f; };
        actions = kit::ActionMap([this](Keyboard::Key key) { return held.count(key) > 0; }, state);
        bindCloseAction(actions);
        bindMainActions(actions);
    }

    std::map<unsigned, unsigned> buttonCounts;
    std::set<std::pair<unsigned, unsigned>> heldButtons;
};

} // namespace

TEST_F(PadBindings, aStickHeldOrWobblingPastHalfWayMovesOnceUntilItComesBackUnderAQuarter)
{
    poll({padMove(0, sf::Joystick::X, 60.f)});
    EXPECT_EQ(active(), (Names{"right key", "move key"}));
    // Held there, and trembling between a quarter and a half: no second move.
    for (float position : {70.f, 100.f, 45.f, 30.f, 55.f, 26.f, 90.f})
    {
        poll({padMove(0, sf::Joystick::X, position)});
        EXPECT_EQ(active(), Names{}) << position;
    }
    poll({});
    EXPECT_EQ(active(), Names{});
    // Back under a quarter, then out again: a new move.
    poll({padMove(0, sf::Joystick::X, 20.f)});
    EXPECT_EQ(active(), Names{});
    poll({padMove(0, sf::Joystick::X, 51.f)});
    EXPECT_EQ(active(), (Names{"right key", "move key"}));

    // Straight across to the other side lets go of right and presses left.
    poll({padMove(0, sf::Joystick::X, -80.f)});
    EXPECT_EQ(active(), (Names{"left key", "move key"}));
    // Up and down on the D-pad and the stick; each axis counts on its own.
    poll({padMove(0, sf::Joystick::PovY, -100.f), padMove(0, sf::Joystick::Y, 100.f)});
    EXPECT_EQ(active(), (Names{"up key", "down key", "move key"}));
    poll({padMove(0, sf::Joystick::PovX, 100.f)});
    EXPECT_EQ(active(), (Names{"right key", "move key"}));
    // Other axes move nothing.
    poll({padMove(0, sf::Joystick::U, 100.f), padMove(0, sf::Joystick::Z, -100.f)});
    EXPECT_EQ(active(), Names{});
}

TEST_F(PadBindings, anyPadConnectedMidGameWorksFromItsFirstEventAndPadsCountApart)
{
    buttonCounts = {{3, 11}};
    poll({padConnection(sf::Event::JoystickConnected, 3), padMove(3, sf::Joystick::PovX, -100.f)});
    EXPECT_EQ(active(), (Names{"left key", "move key"}));
    // A second pad's stick is its own: pad 3 still holds left, pad 5 presses it again.
    poll({padMove(5, sf::Joystick::PovX, -100.f)});
    EXPECT_EQ(active(), (Names{"left key", "move key"}));
    // Unplugged and plugged back in, a pad starts afresh.
    poll({padConnection(sf::Event::JoystickDisconnected, 3)});
    poll({padConnection(sf::Event::JoystickConnected, 3), padMove(3, sf::Joystick::PovX, -100.f)});
    EXPECT_EQ(active(), (Names{"left key", "move key"}));
    // Ids SFML never reports are ignored, not trusted.
    poll({padMove(200, sf::Joystick::X, 100.f), padConnection(sf::Event::JoystickConnected, 99)});
    EXPECT_EQ(active(), Names{});
}

TEST_F(PadBindings, southAndShoulderButtonsLoveOnPressAndUnloveOnRelease)
{
    for (unsigned button : {0u, 4u, 5u})
    {
        SCOPED_TRACE(button);
        poll({padButton(sf::Event::JoystickButtonPressed, 1, button)});
        EXPECT_EQ(active(), Names{"love"});
        poll({});
        EXPECT_EQ(active(), Names{});
        poll({padButton(sf::Event::JoystickButtonReleased, 1, button)});
        EXPECT_EQ(active(), Names{"unlove"});
    }
    poll({padButton(sf::Event::JoystickButtonPressed, 0, 1), padButton(sf::Event::JoystickButtonPressed, 0, 7)});
    EXPECT_EQ(active(), Names{});

    // Another window in front takes no presses, but a release still closes the circle.
    poll({windowEvent(sf::Event::LostFocus), padButton(sf::Event::JoystickButtonPressed, 0, 0),
          padMove(0, sf::Joystick::X, 100.f)});
    EXPECT_EQ(active(), Names{});
    poll({padButton(sf::Event::JoystickButtonReleased, 0, 0)});
    EXPECT_EQ(active(), Names{"unlove"});
}

TEST_F(PadBindings, backHeldClosesOnlyWhileTheWindowHasTheFocusAndOnPadsThatHaveIt)
{
    buttonCounts = {{2, 11}};
    heldButtons = {{2, 6}};
    EXPECT_EQ(active(), Names{"close"});
    poll({});
    EXPECT_EQ(active(), Names{"close"});

    poll({windowEvent(sf::Event::LostFocus)});
    EXPECT_EQ(active(), Names{});
    poll({windowEvent(sf::Event::GainedFocus)});
    EXPECT_EQ(active(), Names{"close"});

    // A pad with only six buttons has no Back, whatever it answers; an unplugged pad holds nothing.
    buttonCounts = {{2, 6}};
    EXPECT_EQ(active(), Names{});
    buttonCounts.clear();
    EXPECT_EQ(active(), Names{});
}

TEST_F(PadBindings, aDPadAndAKeyPressedTogetherAreOneActiveFrameOfThatDirection)
{
    poll({pressed(Keyboard::Up), padMove(0, sf::Joystick::PovY, -100.f), padMove(0, sf::Joystick::Y, -90.f)});
    EXPECT_EQ(active(), (Names{"up key", "move key"}));
    poll({});
    EXPECT_EQ(active(), Names{});
}
