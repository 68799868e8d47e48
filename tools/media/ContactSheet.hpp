#pragma once

#include "GlyphSheet.hpp"

#include <SFML/Graphics/Image.hpp>

#include <string>

// One picture that shows every generated picture enlarged and named, a mock-up of a game frame built from them,
// a sample of the pixel font and the desktop icons at their own sizes: the quickest way to judge the art after
// changing a source.
class ContactSheet
{
public:
    ContactSheet(const GlyphSheet& glyphs, std::string imagesFolder, std::string iconsFolder);

    sf::Image compose() const;

private:
    sf::Image load(const std::string& name) const;
    sf::Image scene() const;

    const GlyphSheet& glyphs;
    std::string folder;
    std::string icons;
};
