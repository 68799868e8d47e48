#include "SelectorPainter.hpp"

SelectorPainter::SelectorPainter(const SourceText& source)
    : corner(source)
{
    for (const SourceLine& line : corner.otherLines())
    {
        const std::string& key = line.words[0];
        if (key == "size" && line.words.size() == 3)
        {
            width = static_cast<unsigned>(source.whole(line, line.words[1]));
            height = static_cast<unsigned>(source.whole(line, line.words[2]));
        }
        else if (key == "tint" && line.words.size() == 2)
        {
            tint = parseColour(source, line, line.words[1]);
        }
        else if (key == "edge" && line.words.size() >= 2)
        {
            edge = parseColour(source, line, line.words[1]);
            for (const Setting& setting : settingsOf(source, line, 2))
            {
                const auto value = static_cast<unsigned>(source.whole(line, setting.value));
                if (setting.key == "dash")
                {
                    dash = value;
                }
                else if (setting.key == "gap")
                {
                    gap = value;
                }
                else if (setting.key == "inset")
                {
                    inset = value;
                }
                else
                {
                    source.fail(line, "edge takes dash=, gap= and inset=");
                }
            }
        }
        else
        {
            source.fail(line, "expected size W H, tint RRGGBBAA or edge RRGGBBAA dash=N gap=N inset=N");
        }
    }
    if (corner.width() * 2 > width || corner.height() * 2 > height || dash == 0)
    {
        source.fail("the corner must fit twice into the size, and dashes must be at least one pixel");
    }
}

sf::Image SelectorPainter::paint() const
{
    sf::Image picture;
    picture.create(width, height, tint);
    const unsigned period = dash + gap;
    // Dashes run along all four sides; each side starts with a whole dash at its corner.
    for (unsigned x = 0; x < width; ++x)
    {
        if (x % period < dash)
        {
            picture.setPixel(x, inset, edge);
            picture.setPixel(width - 1 - x, height - 1 - inset, edge);
        }
    }
    for (unsigned y = 0; y < height; ++y)
    {
        if (y % period < dash)
        {
            picture.setPixel(inset, y, edge);
            picture.setPixel(width - 1 - inset, height - 1 - y, edge);
        }
    }
    for (unsigned y = 0; y < corner.height(); ++y)
    {
        for (unsigned x = 0; x < corner.width(); ++x)
        {
            const sf::Color c = corner.at(x, y);
            if (c.a == 0)
            {
                continue;
            }
            picture.setPixel(x, y, c);
            picture.setPixel(width - 1 - x, y, c);
            picture.setPixel(x, height - 1 - y, c);
            picture.setPixel(width - 1 - x, height - 1 - y, c);
        }
    }
    return picture;
}
