#pragma once

#include "input/Controls.hpp"

#include <SFML/System/Time.hpp>

// What the player chose that a game plays by: the keys and buttons of the actions, and the audio offset, which the
// music clock takes off with the output latency so that the beat the game acts on is the beat this player hears.
// A recording keeps them, so that its replay plays by the same.
struct RoundOptions
{
    Controls controls;
    sf::Time audioOffset;
};
