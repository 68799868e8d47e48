#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

// A texture with a different colour in every pixel, so that any misplaced pixel shows. Needs an X display.
inline sf::Texture makeTestTexture(unsigned width, unsigned height)
{
    sf::Image image;
    image.create(width, height);
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x)
            image.setPixel(x, y,
                           sf::Color(static_cast<sf::Uint8>(40 + 13 * x), static_cast<sf::Uint8>(40 + 17 * y),
                                     static_cast<sf::Uint8>(200 - 7 * (x + y)), 255));
    sf::Texture texture;
    texture.loadFromImage(image);
    return texture;
}
