#pragma once

#include "kit/Distribution.hpp"

#include <SFML/System/Vector2.hpp>

namespace kit::distributions
{

// Points spread evenly over the area of the disc (not crowded at its centre), drawn from kit's random engine.
Distribution<sf::Vector2f> circle(sf::Vector2f centre, float radius);

} // namespace kit::distributions
