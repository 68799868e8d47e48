#pragma once

#include <SFML/System/Time.hpp>

#include <cstddef>
#include <vector>

// The player's audio offset from their presses on the beats they hear: each press's distance from its nearest
// beat, late positive. The estimate is the median of the presses, leaving out those more than 150 ms from the
// median of them all: a press on the wrong beat, or a stumble, counts for nothing.
class OffsetEstimate
{
public:
    // Fewer presses than this make no estimate.
    static constexpr std::size_t PressesNeeded = 8;
    // Presses farther than this from the median of all are left out.
    static constexpr int OutlierMs = 150;

    void add(sf::Time offset) { presses.push_back(offset); }

    const std::vector<sf::Time>& getPresses() const { return presses; }
    bool isReady() const { return presses.size() >= PressesNeeded; }
    // The estimate, once ready (zero before); and how many presses it rests on.
    sf::Time getOffset() const;
    std::size_t getCounted() const;

private:
    std::vector<sf::Time> presses;
};

// The median of some times (the mean of the middle two for an even count); zero for none.
sf::Time median(std::vector<sf::Time> times);
