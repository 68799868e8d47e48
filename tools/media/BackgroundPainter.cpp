#include "BackgroundPainter.hpp"

#include "PixelArt.hpp"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double Pi = 3.14159265358979323846;

// Ordered dithering thresholds: a blend of two colours turns into a fixed pattern of pixels instead of a new colour.
const int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

bool ditherPicksSecond(int x, int y, double share)
{
    return share * 16.0 > Bayer[y & 3][x & 3] + 0.5;
}

} // namespace

BackgroundPainter::BackgroundPainter(const SourceText& text)
    : source(text)
{
    for (const SourceLine& line : source.lines())
    {
        if (SourceText::isBlank(line) || SourceText::isComment(line))
        {
            continue;
        }
        const std::string& key = line.words[0];
        if (key == "size" && line.words.size() == 3)
        {
            width = source.whole(line, line.words[1]);
            height = source.whole(line, line.words[2]);
        }
        else if (key == "seed" && line.words.size() == 2)
        {
            seed = static_cast<std::uint64_t>(source.whole(line, line.words[1]));
        }
        else if (key == "horizon" && line.words.size() == 2)
        {
            horizon = source.whole(line, line.words[1]);
        }
        else if (key == "colour" && line.words.size() == 3)
        {
            colours[line.words[1]] = parseColour(source, line, line.words[2]);
        }
        else if (key == "count" && line.words.size() == 3)
        {
            counts[line.words[1]] = source.whole(line, line.words[2]);
        }
        else
        {
            source.fail(line, "expected size, seed, horizon, colour NAME RRGGBB or count NAME N");
        }
    }
    // The sky's dither cells and the hills' waves repeat every 4 and every width pixels; both must fit the width.
    if (width <= 0 || width % 4 != 0 || height <= horizon || horizon <= 0)
    {
        source.fail("size must be a positive multiple of 4 wide with the horizon inside");
    }
}

sf::Color BackgroundPainter::colour(const std::string& name) const
{
    const auto found = colours.find(name);
    if (found == colours.end())
    {
        source.fail("missing 'colour " + name + " RRGGBB'");
    }
    return found->second;
}

int BackgroundPainter::count(const std::string& name) const
{
    const auto found = counts.find(name);
    if (found == counts.end())
    {
        source.fail("missing 'count " + name + " N'");
    }
    return found->second;
}

void BackgroundPainter::plot(sf::Image& picture, int x, int y, sf::Color c) const
{
    if (y < 0 || y >= height)
    {
        return;
    }
    const int wrapped = ((x % width) + width) % width;
    picture.setPixel(static_cast<unsigned>(wrapped), static_cast<unsigned>(y), c);
}

sf::Image BackgroundPainter::paint() const
{
    sf::Image picture;
    picture.create(static_cast<unsigned>(width), static_cast<unsigned>(height), colour("water"));
    // One generator per layer, so adding clouds does not move the reeds.
    SeededRandom clouds(seed * 7 + 1), hills(seed * 7 + 2), water(seed * 7 + 3), shore(seed * 7 + 4),
        reeds(seed * 7 + 5);
    paintSky(picture);
    paintClouds(picture, clouds);
    paintHills(picture, hills);
    paintWater(picture, water);
    paintShore(picture, shore);
    paintReedClumps(picture, reeds);
    return picture;
}

void BackgroundPainter::paintSky(sf::Image& picture) const
{
    const sf::Color bands[] = {colour("sky_top"), colour("sky_high"), colour("sky_mid"), colour("sky_low")};
    const int bandCount = 4;
    const double bandHeight = static_cast<double>(horizon) / bandCount;
    const double blend = 4.0; // rows over which one band dithers into the next
    for (int y = 0; y < horizon; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            const double position = (y + 0.5) / bandHeight;
            int band = std::min(bandCount - 1, static_cast<int>(position));
            const double into = (position - band) * bandHeight; // rows below the band's top
            if (band > 0 && into < blend / 2)
            {
                // Upper edge of the band: still partly the band above.
                const double share = 0.5 + into / blend;
                if (!ditherPicksSecond(x, y, share))
                {
                    --band;
                }
            }
            else if (band < bandCount - 1 && into > bandHeight - blend / 2)
            {
                const double share = (into - (bandHeight - blend / 2)) / blend;
                if (ditherPicksSecond(x, y, share))
                {
                    ++band;
                }
            }
            plot(picture, x, y, bands[band]);
        }
    }
    // A few faint stars high up, where the sky is darkest.
    SeededRandom stars(seed * 7 + 6);
    for (int i = 0; i < count("stars"); ++i)
    {
        const int x = stars.whole(0, width - 1);
        const int y = stars.whole(2, static_cast<int>(bandHeight) - 3);
        plot(picture, x, y, colour("star"));
        if (stars.unit() < 0.3)
        {
            // The brighter ones get a tiny cross.
            const sf::Color glow = colour("star_glow");
            plot(picture, x - 1, y, glow);
            plot(picture, x + 1, y, glow);
            plot(picture, x, y - 1, glow);
            plot(picture, x, y + 1, glow);
        }
    }
}

void BackgroundPainter::paintClouds(sf::Image& picture, SeededRandom& random) const
{
    const sf::Color light = colour("cloud");
    const sf::Color shade = colour("cloud_shade");
    const int cloudCount = count("clouds");
    for (int i = 0; i < cloudCount; ++i)
    {
        // Spread the clouds round the width so none pile up, with a little jitter.
        const double cx = (i + random.between(0.1, 0.9)) * width / cloudCount;
        const int baseY = random.whole(horizon / 6, horizon / 2);
        const double length = random.between(26, 56);
        // Puffs at most six pixels apart always overlap; the middle ones are the tallest.
        const int puffs = std::min(10, static_cast<int>(length / 6) + 1);
        struct Puff
        {
            double x, y, r;
        };
        Puff shapes[10];
        for (int p = 0; p < puffs; ++p)
        {
            const double along = static_cast<double>(p) / (puffs - 1);
            const double r = random.between(4.5, 6.5) * (1.25 - 0.7 * std::abs(along - 0.5));
            shapes[p] = {cx - length / 2 + along * length, baseY - r * 0.5, r};
        }
        // A flat base and round tops; the lowest two rows are the shade.
        for (int y = baseY - 14; y <= baseY; ++y)
        {
            for (int x = static_cast<int>(cx - length / 2 - 9); x <= static_cast<int>(cx + length / 2 + 9); ++x)
            {
                bool inside = false;
                for (int p = 0; p < puffs && !inside; ++p)
                {
                    const double dx = x + 0.5 - shapes[p].x;
                    const double dy = (y + 0.5 - shapes[p].y) * 1.35;
                    inside = dx * dx + dy * dy <= shapes[p].r * shapes[p].r;
                }
                if (inside)
                {
                    plot(picture, x, y, y >= baseY - 1 ? shade : light);
                }
            }
        }
    }
}

void BackgroundPainter::paintHills(sf::Image& picture, SeededRandom& random) const
{
    // Whole numbers of waves across the width, so the ridge meets itself at the seam.
    auto ridge = [&](double base, double a1, int k1, double a2, int k2)
    {
        const double p1 = random.between(0, 2 * Pi);
        const double p2 = random.between(0, 2 * Pi);
        return [=](int x)
        {
            const double t = 2 * Pi * x / width;
            return static_cast<int>(std::lround(base + a1 * std::sin(k1 * t + p1) + a2 * std::sin(k2 * t + p2)));
        };
    };
    const auto far = ridge(horizon - 17, 5.0, 2, 2.5, 5);
    const auto near = ridge(horizon - 8, 3.0, 3, 1.5, 7);
    const sf::Color farColour = colour("hills_far");
    const sf::Color nearColour = colour("hills_near");
    for (int x = 0; x < width; ++x)
    {
        for (int y = far(x); y < horizon; ++y)
        {
            plot(picture, x, y, farColour);
        }
        for (int y = near(x); y < horizon; ++y)
        {
            plot(picture, x, y, nearColour);
        }
    }
}

void BackgroundPainter::paintWater(sf::Image& picture, SeededRandom& random) const
{
    const sf::Color high = colour("water_high");
    const sf::Color mid = colour("water");
    const sf::Color deep = colour("water_deep");
    const int depth = height - horizon;
    for (int y = horizon; y < height; ++y)
    {
        const double t = static_cast<double>(y - horizon) / depth; // 0 at the shore, 1 at the bottom edge
        for (int x = 0; x < width; ++x)
        {
            sf::Color c = mid;
            if (t < 0.25)
            {
                c = ditherPicksSecond(x, y, t / 0.25) ? mid : high;
            }
            else if (t > 0.6)
            {
                c = ditherPicksSecond(x, y, std::min(1.0, (t - 0.6) / 0.3)) ? deep : mid;
            }
            plot(picture, x, y, c);
        }
    }
    // Ripples: short light strokes, longer near the shore where the light catches the water.
    const sf::Color ripple = colour("ripple");
    for (int i = 0; i < count("ripples"); ++i)
    {
        const int y = random.whole(horizon + 5, height - 3);
        const int x = random.whole(0, width - 1);
        const double nearShore = 1.0 - static_cast<double>(y - horizon) / depth;
        const int length = random.whole(2, 4 + static_cast<int>(8 * nearShore));
        for (int dx = 0; dx < length; ++dx)
        {
            plot(picture, x + dx, y, ripple);
        }
        if (length > 5 && random.unit() < 0.6)
        {
            // A fainter echo of the stroke just under it.
            for (int dx = 2; dx < length - 2; ++dx)
            {
                plot(picture, x + dx + 1, y + 2, ripple);
            }
        }
    }
    // Lily pads: flat ovals with a notch and a lit upper rim.
    const sf::Color pad = colour("pad");
    const sf::Color padLight = colour("pad_light");
    const sf::Color flower = colour("flower");
    const int padCount = count("lilypads");
    for (int i = 0; i < padCount; ++i)
    {
        const double cx = (i + random.between(0.15, 0.85)) * width / padCount;
        const int cy = random.whole(horizon + 14, height - 10);
        const double rx = random.between(5.5, 8.5);
        const double ry = rx * 0.42;
        const bool notchRight = random.unit() < 0.5;
        for (int y = static_cast<int>(cy - ry - 1); y <= static_cast<int>(cy + ry + 1); ++y)
        {
            for (int x = static_cast<int>(cx - rx - 1); x <= static_cast<int>(cx + rx + 1); ++x)
            {
                const double dx = (x + 0.5 - cx) / rx;
                const double dy = (y + 0.5 - cy) / ry;
                if (dx * dx + dy * dy > 1.0)
                {
                    continue;
                }
                const bool notch =
                    std::abs(dy) < 0.45 && (notchRight ? dx > 0.25 : dx < -0.25) && std::abs(dy) < dx * dx;
                if (notch)
                {
                    continue;
                }
                plot(picture, x, y, dy < -0.45 ? padLight : pad);
            }
        }
        if (random.unit() < 0.4)
        {
            const int fx = static_cast<int>(cx) + (notchRight ? -2 : 2);
            const int fy = static_cast<int>(cy) - 1;
            plot(picture, fx, fy, flower);
            plot(picture, fx - 1, fy, flower);
            plot(picture, fx + 1, fy, flower);
            plot(picture, fx, fy - 1, flower);
        }
    }
}

void BackgroundPainter::paintShore(sf::Image& picture, SeededRandom& random) const
{
    // A muddy bank along the horizon divides the two halves; reeds stand on it and poke into the sky.
    const sf::Color bank = colour("shore");
    const sf::Color bankLight = colour("shore_light");
    const sf::Color reed = colour("reed");
    const sf::Color tip = colour("reed_tip");
    const sf::Color cattail = colour("cattail");
    for (int x = 0; x < width; ++x)
    {
        plot(picture, x, horizon - 2, bankLight);
        plot(picture, x, horizon - 1, bank);
        plot(picture, x, horizon, bank);
        plot(picture, x, horizon + 1, bank);
    }
    // Break the bank's edges up a little, so it reads as ground and not as a ruled line.
    for (int x = 0; x < width; ++x)
    {
        if (random.unit() < 0.35)
        {
            plot(picture, x, horizon + 2, bank);
        }
        if (random.unit() < 0.25)
        {
            plot(picture, x, horizon - 3, bankLight);
        }
    }
    for (int i = 0; i < count("reeds"); ++i)
    {
        const int x = random.whole(0, width - 1);
        const int tall = random.whole(3, 11);
        const int lean = random.whole(-1, 1);
        for (int h = 0; h < tall; ++h)
        {
            const int dx = h > tall / 2 ? lean : 0;
            plot(picture, x + dx, horizon - 3 - h, h == tall - 1 ? tip : reed);
        }
        if (tall > 8 && random.unit() < 0.5)
        {
            const int dx = lean;
            plot(picture, x + dx, horizon - 3 - tall + 3, cattail);
            plot(picture, x + dx, horizon - 3 - tall + 4, cattail);
            plot(picture, x + dx, horizon - 3 - tall + 5, cattail);
        }
    }
}

void BackgroundPainter::paintReedClumps(sf::Image& picture, SeededRandom& random) const
{
    // Reeds along the bottom edge give the water a near bank and some depth.
    const sf::Color reed = colour("reed_dark");
    const sf::Color tip = colour("reed");
    const int clumps = count("reed_clumps");
    for (int c = 0; c < clumps; ++c)
    {
        const int cx = static_cast<int>((c + random.between(0.1, 0.9)) * width / clumps);
        const int blades = random.whole(4, 8);
        for (int b = 0; b < blades; ++b)
        {
            const int x = cx + random.whole(-4, 4);
            const int tall = random.whole(6, 20);
            const double lean = random.between(-0.35, 0.35);
            for (int h = 0; h < tall; ++h)
            {
                const int dx = static_cast<int>(std::lround(lean * h * h / tall));
                plot(picture, x + dx, height - 1 - h, h >= tall - 2 ? tip : reed);
            }
        }
    }
}
