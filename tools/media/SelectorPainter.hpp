#pragma once

#include "PixelArt.hpp"
#include "SourceText.hpp"

#include <SFML/Graphics/Image.hpp>

// The marker laid over the player's half: a faint tint, a dashed frame along the edges and a corner bracket drawn
// as a pixel grid for the top-left corner, mirrored into the other three.
class SelectorPainter
{
public:
    explicit SelectorPainter(const SourceText& source);

    sf::Image paint() const;

private:
    PixelArt corner;
    unsigned width = 300;
    unsigned height = 100;
    sf::Color tint = sf::Color::Transparent;
    sf::Color edge = sf::Color::Transparent;
    unsigned dash = 3;
    unsigned gap = 3;
    unsigned inset = 1;
};
