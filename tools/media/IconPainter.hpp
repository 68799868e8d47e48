#pragma once

#include "PixelArt.hpp"

#include <SFML/Graphics/Image.hpp>

// The desktop icon: the player's pixel grid enlarged by the largest whole factor that fits the square, every pixel
// a sharp block, centred on a transparent background. Desktops scale icons smoothly, so each size is made here from
// the grid itself rather than left to them.
class IconPainter
{
public:
    explicit IconPainter(const PixelArt& art);

    sf::Image paint(unsigned size) const;

private:
    const PixelArt& art;
};
