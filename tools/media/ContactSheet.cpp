#include "ContactSheet.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

namespace
{

const sf::Color Paper(36, 34, 44);
const sf::Color Ink(230, 226, 214);

sf::Color over(sf::Color below, sf::Color above)
{
    const unsigned a = above.a;
    auto mix = [a](unsigned under, unsigned top)
    { return static_cast<sf::Uint8>((top * a + under * (255 - a)) / 255); };
    return sf::Color(mix(below.r, above.r), mix(below.g, above.g), mix(below.b, above.b),
                     static_cast<sf::Uint8>(std::min(255u, below.a + a * (255u - below.a) / 255u)));
}

sf::Color multiplied(sf::Color c, sf::Color tint)
{
    return sf::Color(static_cast<sf::Uint8>(c.r * tint.r / 255), static_cast<sf::Uint8>(c.g * tint.g / 255),
                     static_cast<sf::Uint8>(c.b * tint.b / 255), static_cast<sf::Uint8>(c.a * tint.a / 255));
}

void blend(sf::Image& target, int x, int y, sf::Color c)
{
    const auto size = target.getSize();
    if (x < 0 || y < 0 || x >= static_cast<int>(size.x) || y >= static_cast<int>(size.y))
    {
        return;
    }
    const auto ux = static_cast<unsigned>(x), uy = static_cast<unsigned>(y);
    target.setPixel(ux, uy, over(target.getPixel(ux, uy), c));
}

// Draws source over target, each source pixel a scale-by-scale block, optionally multiplied by a tint.
void stamp(sf::Image& target, const sf::Image& source, int x, int y, int scale, sf::Color tint = sf::Color::White)
{
    const auto size = source.getSize();
    for (unsigned sy = 0; sy < size.y; ++sy)
    {
        for (unsigned sx = 0; sx < size.x; ++sx)
        {
            const sf::Color c = multiplied(source.getPixel(sx, sy), tint);
            for (int dy = 0; dy < scale; ++dy)
            {
                for (int dx = 0; dx < scale; ++dx)
                {
                    blend(target, x + static_cast<int>(sx) * scale + dx, y + static_cast<int>(sy) * scale + dy, c);
                }
            }
        }
    }
}

// A chequerboard under transparent pictures shows where they are see-through.
void checker(sf::Image& target, int x, int y, int w, int h)
{
    for (int py = 0; py < h; ++py)
    {
        for (int px = 0; px < w; ++px)
        {
            const bool dark = ((px / 8) + (py / 8)) % 2 == 0;
            target.setPixel(static_cast<unsigned>(x + px), static_cast<unsigned>(y + py),
                            dark ? sf::Color(70, 70, 78) : sf::Color(98, 98, 108));
        }
    }
}

sf::Image halfSize(const sf::Image& source)
{
    sf::Image half;
    const auto size = source.getSize();
    half.create(size.x / 2, size.y / 2, sf::Color::Transparent);
    for (unsigned y = 0; y < size.y / 2; ++y)
    {
        for (unsigned x = 0; x < size.x / 2; ++x)
        {
            half.setPixel(x, y, source.getPixel(x * 2 + 1, y * 2 + 1));
        }
    }
    return half;
}

void triangle(sf::Image& target, sf::Vector2f a, sf::Vector2f b, sf::Vector2f c, sf::Color colour)
{
    auto side = [](sf::Vector2f p, sf::Vector2f q, sf::Vector2f r)
    { return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x); };
    const int left = static_cast<int>(std::floor(std::min({a.x, b.x, c.x})));
    const int right = static_cast<int>(std::ceil(std::max({a.x, b.x, c.x})));
    const int top = static_cast<int>(std::floor(std::min({a.y, b.y, c.y})));
    const int bottom = static_cast<int>(std::ceil(std::max({a.y, b.y, c.y})));
    for (int y = top; y <= bottom; ++y)
    {
        for (int x = left; x <= right; ++x)
        {
            const sf::Vector2f p(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            const float s1 = side(a, b, p), s2 = side(b, c, p), s3 = side(c, a, p);
            if ((s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0))
            {
                blend(target, x, y, colour);
            }
        }
    }
}

} // namespace

ContactSheet::ContactSheet(const GlyphSheet& glyphSheet, std::string imagesFolder, std::string iconsFolder)
    : glyphs(glyphSheet)
    , folder(std::move(imagesFolder))
    , icons(std::move(iconsFolder))
{
}

sf::Image ContactSheet::load(const std::string& name) const
{
    sf::Image picture;
    if (!picture.loadFromFile(folder + "/" + name + ".PNG"))
    {
        throw std::runtime_error(folder + "/" + name + ".PNG: cannot be read");
    }
    return picture;
}

sf::Image ContactSheet::scene() const
{
    // Roughly what a frame of the game looks like with the player in the bottom half.
    sf::Image frame = load("background");
    stamp(frame, load("region_selector"), 0, 100, 1);
    const sf::Image dust = load("dust");
    const int puffs[][2] = {{222, 152}, {214, 149}, {206, 155}, {199, 150}, {192, 153}};
    for (const auto& puff : puffs)
    {
        stamp(frame, dust, puff[0], puff[1], 1, sf::Color(255, 255, 255, 150));
    }
    // A love circle just opened round the player: white at alpha 100 with a faint dark outline.
    const sf::Vector2f centre(240, 150);
    for (int y = 120; y <= 180; ++y)
    {
        for (int x = 210; x <= 270; ++x)
        {
            const float d =
                std::hypot(static_cast<float>(x) + 0.5f - centre.x, static_cast<float>(y) + 0.5f - centre.y);
            if (d <= 22)
            {
                blend(frame, x, y, d > 20 ? sf::Color(0, 0, 0, 80) : sf::Color(255, 255, 255, 60));
            }
        }
    }
    const sf::Image player = load("player");
    stamp(frame, player, 240 - static_cast<int>(player.getSize().x) / 2, 150 - static_cast<int>(player.getSize().y) / 2,
          1);
    stamp(frame, halfSize(player), 60, 40, 1, sf::Color(255, 100, 100));
    // Baseballers: black triangle pairs tip to tip, some in each half.
    const float flock[][3] = {{120, 130, 12}, {70, 170, 9}, {170, 60, 16}, {260, 30, 10}};
    for (const auto& b : flock)
    {
        const float x = b[0], y = b[1], s = b[2];
        triangle(frame, {x - s, y - s / 2}, {x, y}, {x - s, y + s / 2}, sf::Color::Black);
        triangle(frame, {x + s, y - s / 2}, {x, y}, {x + s, y + s / 2}, sf::Color::Black);
    }
    stamp(frame, load("time"), 8, 8, 1);
    // The countdown at (28, 5) in the font at 16 px: the glyph's top row sits 16 minus the baseline rows lower.
    glyphs.draw(frame, "10", 28, 5 + 16 - 9, 1, sf::Color::White);
    return frame;
}

sf::Image ContactSheet::compose() const
{
    const int width = 1260;
    const int height = 1440;
    sf::Image sheet;
    sheet.create(width, height, Paper);
    auto label = [&](const std::string& text, int x, int y) { glyphs.draw(sheet, text, x, y, 2, Ink); };

    const sf::Image background = load("background");
    label("background  300x200  x2", 20, 12);
    stamp(sheet, background, 20, 44, 2);
    label("game frame  x2", 640, 12);
    stamp(sheet, scene(), 640, 44, 2);

    const sf::Image selector = load("region_selector");
    label("region_selector  x2", 20, 464);
    checker(sheet, 20, 496, 600, 200);
    stamp(sheet, selector, 20, 496, 2);

    const sf::Image player = load("player");
    const int px = 640;
    label("player  x8", px, 464);
    checker(sheet, px, 496, static_cast<int>(player.getSize().x) * 8, static_cast<int>(player.getSize().y) * 8);
    stamp(sheet, player, px, 496, 8);
    label("tinted", px + 150, 464);
    checker(sheet, px + 150, 496, static_cast<int>(player.getSize().x) * 8, static_cast<int>(player.getSize().y) * 8);
    stamp(sheet, player, px + 150, 496, 8, sf::Color(255, 100, 100));
    label("half", px + 300, 464);
    const sf::Image half = halfSize(player);
    checker(sheet, px + 300, 496, static_cast<int>(half.getSize().x) * 8, static_cast<int>(half.getSize().y) * 8);
    stamp(sheet, half, px + 300, 496, 8, sf::Color(255, 100, 100));

    const sf::Image time = load("time");
    label("time  x8", px + 400, 464);
    checker(sheet, px + 400, 496, static_cast<int>(time.getSize().x) * 8, static_cast<int>(time.getSize().y) * 8);
    stamp(sheet, time, px + 400, 496, 8);

    const sf::Image dust = load("dust");
    label("dust  x12", px + 400, 640);
    checker(sheet, px + 400, 672, static_cast<int>(dust.getSize().x) * 12, static_cast<int>(dust.getSize().y) * 12);
    stamp(sheet, dust, px + 400, 672, 12);

    label("font  x2 and x4", 20, 720);
    glyphs.draw(sheet, "ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789", 20, 756, 2, sf::Color::White);
    glyphs.draw(sheet, "abcdefghijklmnopqrstuvwxyz !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~", 20, 790, 2, sf::Color::White);
    glyphs.draw(sheet, "The quick brown fox jumps over the lazy dog.", 20, 824, 2, sf::Color::White);
    for (int y = 870; y < 1100; ++y)
    {
        for (int x = 20; x < 1240; ++x)
        {
            sheet.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), sf::Color::White);
        }
    }
    glyphs.draw(sheet, "Marrowfen", 40, 890, 8, sf::Color::Black);
    glyphs.draw(sheet, "10 9 8 7 6 5 4 3 2 1 0", 40, 1000, 4, sf::Color::Black);

    // The icons at their own sizes, unscaled, as a desktop shows them.
    label("icons  16 32 48 64 128 256  x1", 20, 1120);
    int x = 20;
    for (const unsigned size : {16u, 32u, 48u, 64u, 128u, 256u})
    {
        sf::Image icon;
        const std::string path = icons + "/brindlewick_" + std::to_string(size) + ".png";
        if (!icon.loadFromFile(path))
        {
            throw std::runtime_error(path + ": cannot be read");
        }
        const int side = static_cast<int>(icon.getSize().x);
        checker(sheet, x, 1156, side, static_cast<int>(icon.getSize().y));
        stamp(sheet, icon, x, 1156, 1);
        x += side + 24;
    }
    return sheet;
}
