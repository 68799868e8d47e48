#include "GlyphSheet.hpp"

GlyphSheet::GlyphSheet(const SourceText& source)
{
    const auto& lines = source.lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        const SourceLine& line = lines[i];
        if (SourceText::isBlank(line) || SourceText::isComment(line))
        {
            continue;
        }
        const std::string& key = line.words[0];
        if (key == "glyph" && line.words.size() == 2)
        {
            const std::string& name = line.words[1];
            if (name != "space" && name.size() != 1)
            {
                source.fail(line, "a glyph is named by one character or 'space'");
            }
            Glyph glyph;
            for (int r = 0; r < rowCount; ++r)
            {
                if (++i >= lines.size())
                {
                    source.fail(line, "the glyph has fewer rows than 'rows' says");
                }
                const std::string& row = lines[i].words.empty() ? std::string() : lines[i].words[0];
                if (row.find_first_not_of("#.") != std::string::npos || lines[i].words.size() != 1 ||
                    (r > 0 && static_cast<int>(row.size()) != glyph.width))
                {
                    source.fail(lines[i], "a glyph row is '#' and '.' only, as wide as the first row");
                }
                glyph.width = static_cast<int>(row.size());
                glyph.rows.push_back(row);
            }
            const char c = name == "space" ? ' ' : name[0];
            if (!glyphs.emplace(c, glyph).second)
            {
                source.fail(line, "the glyph '" + name + "' is drawn twice");
            }
        }
        else if (key == "rows" && line.words.size() == 2)
        {
            rowCount = source.whole(line, line.words[1]);
        }
        else if (key == "spacing" && line.words.size() == 2)
        {
            spacing = source.whole(line, line.words[1]);
        }
        // The font's other settings (family, em, ascent, descent, baseline) matter only to the font builder.
    }
}

const GlyphSheet::Glyph* GlyphSheet::find(char c) const
{
    const auto found = glyphs.find(c);
    if (found != glyphs.end())
    {
        return &found->second;
    }
    const auto question = glyphs.find('?');
    return question == glyphs.end() ? nullptr : &question->second;
}

int GlyphSheet::widthOf(const std::string& text) const
{
    int width = 0;
    for (char c : text)
    {
        if (const Glyph* glyph = find(c))
        {
            width += glyph->width + spacing;
        }
    }
    return width;
}

void GlyphSheet::draw(sf::Image& picture, const std::string& text, int x, int y, int scale, sf::Color colour) const
{
    const auto size = picture.getSize();
    for (char c : text)
    {
        const Glyph* glyph = find(c);
        if (!glyph)
        {
            continue;
        }
        for (int r = 0; r < rowCount; ++r)
        {
            for (int col = 0; col < glyph->width; ++col)
            {
                if (glyph->rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(col)] != '#')
                {
                    continue;
                }
                for (int dy = 0; dy < scale; ++dy)
                {
                    for (int dx = 0; dx < scale; ++dx)
                    {
                        const int px = x + col * scale + dx;
                        const int py = y + r * scale + dy;
                        if (px >= 0 && py >= 0 && px < static_cast<int>(size.x) && py < static_cast<int>(size.y))
                        {
                            picture.setPixel(static_cast<unsigned>(px), static_cast<unsigned>(py), colour);
                        }
                    }
                }
            }
        }
        x += (glyph->width + spacing) * scale;
    }
}
