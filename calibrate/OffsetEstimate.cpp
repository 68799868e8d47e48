#include "calibrate/OffsetEstimate.hpp"

#include <algorithm>

sf::Time median(std::vector<sf::Time> times)
{
    if (times.empty())
        return sf::Time::Zero;
    std::sort(times.begin(), times.end());
    const std::size_t middle = times.size() / 2;
    if (times.size() % 2 == 1)
        return times[middle];
    return sf::microseconds((times[middle - 1].asMicroseconds() + times[middle].asMicroseconds()) / 2);
}

namespace
{

std::vector<sf::Time> keptPresses(const std::vector<sf::Time>& presses)
{
    const sf::Time centre = median(presses);
    std::vector<sf::Time> kept;
    for (const sf::Time press : presses)
        if (std::abs((press - centre).asMicroseconds()) <= sf::Int64{OffsetEstimate::OutlierMs} * 1000)
            kept.push_back(press);
    return kept;
}

} // namespace

sf::Time OffsetEstimate::getOffset() const
{
    return isReady() ? median(keptPresses(presses)) : sf::Time::Zero;
}

std::size_t OffsetEstimate::getCounted() const
{
    return isReady() ? keptPresses(presses).size() : 0;
}
