#pragma once

#include "kit/TimeSource.hpp"

#include <memory>

// A clock that moves only when a test moves it.
class ScriptedTime
{
public:
    ScriptedTime()
        : now(std::make_shared<sf::Time>())
    {
    }

    kit::TimeSource source() const
    {
        auto shared = now;
        return [shared] { return *shared; };
    }

    void advance(sf::Time step) { *now += step; }
    void set(sf::Time time) { *now = time; }
    sf::Time get() const { return *now; }

private:
    std::shared_ptr<sf::Time> now;
};
