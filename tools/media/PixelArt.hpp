#pragma once

#include "SourceText.hpp"

#include <SFML/Graphics/Image.hpp>

#include <map>
#include <string>
#include <vector>

// A picture drawn as a grid of characters, each standing for a colour of the palette:
//
//   palette
//   .  transparent
//   k  2b2838        (RRGGBB, or RRGGBBAA with alpha)
//
//   grid
//   ..kk..
//   .kwwk.
//
// Lines outside the palette and the grid are left to the picture's owner (otherLines).
class PixelArt
{
public:
    explicit PixelArt(const SourceText& source);

    unsigned width() const { return static_cast<unsigned>(rows.empty() ? 0 : rows.front().size()); }
    unsigned height() const { return static_cast<unsigned>(rows.size()); }
    sf::Color at(unsigned x, unsigned y) const;
    sf::Image image() const;
    const std::vector<SourceLine>& otherLines() const { return others; }

private:
    std::map<char, sf::Color> palette;
    std::vector<std::string> rows;
    std::vector<SourceLine> others;
};

// "transparent", RRGGBB or RRGGBBAA.
sf::Color parseColour(const SourceText& source, const SourceLine& line, const std::string& word);
