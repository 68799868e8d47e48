#include "SeededRandom.hpp"

std::uint64_t SeededRandom::next()
{
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double SeededRandom::unit()
{
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

int SeededRandom::whole(int low, int high)
{
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low + 1);
    return low + static_cast<int>(next() % span);
}
