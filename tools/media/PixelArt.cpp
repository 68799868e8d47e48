#include "PixelArt.hpp"

#include <cctype>

namespace
{

bool startsSection(const SourceLine& line)
{
    return line.words.size() == 1 && (line.words[0] == "palette" || line.words[0] == "grid");
}

std::string trimmedLeft(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace

sf::Color parseColour(const SourceText& source, const SourceLine& line, const std::string& word)
{
    if (word == "transparent")
    {
        return sf::Color::Transparent;
    }
    if (word.size() != 6 && word.size() != 8)
    {
        source.fail(line, "colour '" + word + "' is not RRGGBB or RRGGBBAA");
    }
    for (char c : word)
    {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
        {
            source.fail(line, "colour '" + word + "' is not hexadecimal");
        }
    }
    auto channel = [&](std::size_t at) { return static_cast<sf::Uint8>(std::stoi(word.substr(at, 2), nullptr, 16)); };
    return sf::Color(channel(0), channel(2), channel(4), word.size() == 8 ? channel(6) : 255);
}

PixelArt::PixelArt(const SourceText& source)
{
    const auto& lines = source.lines();
    std::size_t i = 0;
    const SourceLine* gridLine = nullptr;
    while (i < lines.size())
    {
        const SourceLine& line = lines[i];
        if (SourceText::isBlank(line) || SourceText::isComment(line))
        {
            ++i;
            continue;
        }
        if (!startsSection(line))
        {
            others.push_back(line);
            ++i;
            continue;
        }
        ++i;
        if (line.words[0] == "palette")
        {
            for (; i < lines.size() && !SourceText::isBlank(lines[i]) && !startsSection(lines[i]); ++i)
            {
                const SourceLine& entry = lines[i];
                if (SourceText::isComment(entry))
                {
                    continue;
                }
                if (entry.words.size() != 2 || entry.words[0].size() != 1)
                {
                    source.fail(entry, "a palette entry is one character and a colour");
                }
                if (!palette.emplace(entry.words[0][0], parseColour(source, entry, entry.words[1])).second)
                {
                    source.fail(entry, "'" + entry.words[0] + "' is in the palette twice");
                }
            }
        }
        else
        {
            if (gridLine)
            {
                source.fail(line, "a picture has one grid");
            }
            gridLine = &line;
            // Grid rows are read verbatim up to the next blank line: every character is a pixel.
            for (; i < lines.size() && !SourceText::isBlank(lines[i]); ++i)
            {
                rows.push_back(trimmedLeft(lines[i].text));
                if (rows.back().size() != rows.front().size())
                {
                    source.fail(lines[i], "every row of the grid must be as wide as the first");
                }
            }
        }
    }
    if (!gridLine || rows.empty())
    {
        source.fail("no grid");
    }
    for (std::size_t y = 0; y < rows.size(); ++y)
    {
        for (char c : rows[y])
        {
            if (palette.find(c) == palette.end())
            {
                source.fail(lines[static_cast<std::size_t>(gridLine->number) + y],
                            std::string("'") + c + "' is not in the palette");
            }
        }
    }
}

sf::Color PixelArt::at(unsigned x, unsigned y) const
{
    return palette.at(rows.at(y).at(x));
}

sf::Image PixelArt::image() const
{
    sf::Image picture;
    picture.create(width(), height(), sf::Color::Transparent);
    for (unsigned y = 0; y < height(); ++y)
    {
        for (unsigned x = 0; x < width(); ++x)
        {
            picture.setPixel(x, y, at(x, y));
        }
    }
    return picture;
}
