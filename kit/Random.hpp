#pragma once

#include <random>

namespace kit
{

// A whole number from min to max, both included, from the game's one random engine.
int random(int min, int max);

// The engine is seeded differently on every start; tests fix the seed to replay a game.
void setRandomSeed(std::mt19937::result_type seed);
std::mt19937& randomEngine();

} // namespace kit
