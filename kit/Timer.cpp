#include "kit/Timer.hpp"

#include <utility>

namespace kit
{

Timer::Timer(TimeSource source)
    : now(std::move(source))
    , end(now())
{
}

void Timer::restart(sf::Time duration)
{
    end = now() + duration;
}

bool Timer::isExpired() const
{
    return now() >= end;
}

sf::Time Timer::getRemainingTime() const
{
    const sf::Time left = end - now();
    return left > sf::Time::Zero ? left : sf::Time::Zero;
}

} // namespace kit
