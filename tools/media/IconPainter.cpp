#include "IconPainter.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

IconPainter::IconPainter(const PixelArt& pixelArt)
    : art(pixelArt)
{
}

sf::Image IconPainter::paint(unsigned size) const
{
    const unsigned side = std::max(art.width(), art.height());
    if (side == 0 || size < side)
    {
        throw std::runtime_error("an icon of " + std::to_string(size) + " pixels cannot hold the " +
                                 std::to_string(art.width()) + "x" + std::to_string(art.height()) + " grid");
    }
    const unsigned scale = size / side;
    const unsigned left = (size - art.width() * scale) / 2;
    const unsigned top = (size - art.height() * scale) / 2;

    sf::Image icon;
    icon.create(size, size, sf::Color::Transparent);
    for (unsigned y = 0; y < art.height() * scale; ++y)
    {
        for (unsigned x = 0; x < art.width() * scale; ++x)
        {
            icon.setPixel(left + x, top + y, art.at(x / scale, y / scale));
        }
    }
    return icon;
}
