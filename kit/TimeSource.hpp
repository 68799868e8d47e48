#pragma once

#include <SFML/System/Time.hpp>

#include <functional>

namespace kit
{

// Anything that measures elapsed time reads it through one of these, so tests can script the time instead of waiting.
using TimeSource = std::function<sf::Time()>;

// A monotonic source that starts at zero when it is made.
TimeSource realTimeSource();

} // namespace kit
