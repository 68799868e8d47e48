#pragma once

#include "kit/TimeSource.hpp"

namespace kit
{

// A countdown: restarted with a duration, expired once that much time has passed. A new timer counts as expired.
class Timer
{
public:
    explicit Timer(TimeSource now = realTimeSource());

    void restart(sf::Time duration);
    bool isExpired() const;
    sf::Time getRemainingTime() const;

private:
    TimeSource now;
    sf::Time end;
};

} // namespace kit
