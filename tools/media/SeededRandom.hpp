#pragma once

#include <cstdint>

// A small random generator of our own (SplitMix64), so the media come out the same with any standard library.
class SeededRandom
{
public:
    explicit SeededRandom(std::uint64_t seed)
        : state(seed)
    {
    }

    std::uint64_t next();
    // From 0 (included) to 1 (excluded).
    double unit();
    double between(double low, double high) { return low + (high - low) * unit(); }
    // From low to high, both included.
    int whole(int low, int high);

private:
    std::uint64_t state;
};
