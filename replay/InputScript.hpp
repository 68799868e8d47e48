#pragma once

#include "input/KeyNames.hpp"

#include <SFML/System/Time.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

// A hand-written game: a seed, then what the keyboard does when, one step a line:
//
//     seed 7
//     # a comment
//     1.25 press Right
//     2.00 down LShift
//     3.40 up LShift
//
// Times are seconds of music from the start; steps are in order of time. "press" is a tap: the key goes down at the
// time and up one frame later; "down" and "up" hold and release it. Keys are named as SFML names them (Left, A,
// LShift, Escape, Num1, ...). A script plays at a steady 60 frames a second until its music ends.
struct InputScript
{
    enum class Action
    {
        Press,
        Down,
        Up,
    };

    struct Step
    {
        sf::Time at;
        Action action = Action::Press;
        sf::Keyboard::Key key = sf::Keyboard::Unknown;
        std::size_t line = 0;
    };

    std::uint32_t seed = 0;
    std::vector<Step> steps;
};

// Whether a first line is a script's ("seed N"), which tells a script from a recording.
bool isInputScriptStart(const std::string& firstLine);

// Reads a script. `name` names the source in messages. Throws ReplayFormatError naming the file and the line for a
// line that is not a step, a key it does not know, or a step earlier than the one before.
InputScript readInputScript(std::istream& in, const std::string& name);
