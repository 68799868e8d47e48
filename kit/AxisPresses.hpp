#pragma once

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Joystick.hpp>

#include <array>

namespace kit
{

// Turns the moves of every pad's axes into presses, the way a key is pressed: an axis pushed past half-way in a
// direction presses that direction once, and it must come back under a quarter before it can press again, so a
// held stick, or one trembling around half-way, is a single press.
class AxisPresses
{
public:
    enum Direction
    {
        Negative, // left on X and PovX, up on Y and PovY
        Positive
    };

    static constexpr float PressBeyond = 50.f;
    static constexpr float ReleaseWithin = 25.f;

    // Forgets the presses of the last update; what each axis has pressed and not yet let go is kept.
    void clear();
    // Takes one polled event. A pad that connects or disconnects starts again with every axis let go.
    void take(const sf::Event& event);

    // Whether an axis of any pad pressed this direction since the last clear.
    bool pressed(sf::Joystick::Axis axis, Direction direction) const;

private:
    using PerAxis = std::array<std::array<bool, 2>, sf::Joystick::AxisCount>;

    std::array<PerAxis, sf::Joystick::Count> held{};
    PerAxis pressedNow{};
};

} // namespace kit
