#include "kit/Distributions.hpp"

#include "kit/Random.hpp"

#include <cmath>
#include <random>

namespace kit::distributions
{

Distribution<sf::Vector2f> circle(sf::Vector2f centre, float radius)
{
    return Distribution<sf::Vector2f>(
        [centre, radius]
        {
            constexpr float pi = 3.14159265358979f;
            std::uniform_real_distribution<float> unit(0.f, 1.f);
            const float angle = 2.f * pi * unit(randomEngine());
            // The area within distance d grows with d squared, so the distance goes with the root of an even draw.
            const float distance = radius * std::sqrt(unit(randomEngine()));
            return centre + sf::Vector2f(distance * std::cos(angle), distance * std::sin(angle));
        });
}

} // namespace kit::distributions
