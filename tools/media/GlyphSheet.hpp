#pragma once

#include "SourceText.hpp"

#include <SFML/Graphics/Image.hpp>

#include <map>
#include <string>
#include <vector>

// The pixel font's glyph grids (the same source the TrueType font is built from), used here to letter pictures:
//
//   rows 12          rows of every glyph
//   baseline 9       rows above the baseline
//   spacing 1        empty columns after each glyph
//   glyph A          followed by exactly `rows` rows of '#' (ink) and '.' (empty)
//
// A glyph is named by its character, or by "space".
class GlyphSheet
{
public:
    explicit GlyphSheet(const SourceText& source);

    // Letters text with its top-left corner at (x, y), each font pixel a scale-by-scale block.
    void draw(sf::Image& picture, const std::string& text, int x, int y, int scale, sf::Color colour) const;
    int widthOf(const std::string& text) const;
    int rows() const { return rowCount; }

private:
    struct Glyph
    {
        std::vector<std::string> rows;
        int width = 0;
    };
    const Glyph* find(char c) const;

    int rowCount = 12;
    int spacing = 1;
    std::map<char, Glyph> glyphs;
};
