#include "kit/TimeSource.hpp"

#include <SFML/System/Clock.hpp>

#include <memory>

namespace kit
{

TimeSource realTimeSource()
{
    auto clock = std::make_shared<sf::Clock>();
    return [clock] { return clock->getElapsedTime(); };
}

} // namespace kit
