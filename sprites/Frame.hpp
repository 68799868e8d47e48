#pragma once

#include <SFML/Graphics/Rect.hpp>

// One picture of an animation: the part of the sheet it shows and its share of the animation's frame period.
struct Frame
{
    float relativeDuration = 1.f;
    sf::IntRect rect;
};
