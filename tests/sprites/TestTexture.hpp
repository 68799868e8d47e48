#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Context.hpp>

// Xvfb resets itself when its last client leaves, and SFML closes its display connection once its last OpenGL
// resource is gone: a test process that makes textures one after another would reconnect into that reset and abort.
// One context held for the whole process keeps the connection open.
inline void holdDisplayConnection()
{
    static sf::Context context;
}

// A texture with a different colour in every pixel, so that any misplaced pixel shows. Needs an X display.
inline sf::Texture makeTestTexture(unsigned width, unsigned height)
{
    holdDisplayConnection();
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
