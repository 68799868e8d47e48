#include "tools/MediaFiles.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{

sf::Image picture(const std::string& name)
{
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile("resources/images/" + name + ".PNG")) << name;
    return image;
}

double columnDifference(const sf::Image& image, unsigned a, unsigned b)
{
    double sum = 0;
    for (unsigned y = 0; y < image.getSize().y; ++y)
    {
        const sf::Color p = image.getPixel(a, y), q = image.getPixel(b, y);
        sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
    }
    return sum / image.getSize().y;
}

sf::Color meanColour(const sf::Image& image, unsigned top, unsigned bottom)
{
    double r = 0, g = 0, b = 0;
    const unsigned width = image.getSize().x;
    for (unsigned y = top; y < bottom; ++y)
    {
        for (unsigned x = 0; x < width; ++x)
        {
            const sf::Color c = image.getPixel(x, y);
            r += c.r;
            g += c.g;
            b += c.b;
        }
    }
    const double n = static_cast<double>(width) * (bottom - top);
    return sf::Color(static_cast<sf::Uint8>(r / n), static_cast<sf::Uint8>(g / n), static_cast<sf::Uint8>(b / n));
}

bool cornersTransparent(const sf::Image& image)
{
    const auto s = image.getSize();
    return image.getPixel(0, 0).a == 0 && image.getPixel(s.x - 1, 0).a == 0 && image.getPixel(0, s.y - 1).a == 0 &&
           image.getPixel(s.x - 1, s.y - 1).a == 0;
}

} // namespace

TEST(Pictures, EveryPictureLoadsUnderItsUpperCaseName)
{
    for (const char* name : {"player", "background", "region_selector", "time", "dust"})
    {
        sf::Image image;
        EXPECT_TRUE(image.loadFromFile(std::string("resources/images/") + name + ".PNG")) << name;
        EXPECT_GT(image.getSize().x, 0u) << name;
    }
}

TEST(Pictures, PlayerIsASmallLightFigureOnATransparentGround)
{
    const sf::Image player = picture("player");
    ASSERT_EQ(player.getSize(), sf::Vector2u(16, 16));
    EXPECT_TRUE(cornersTransparent(player)) << "the player spins about its centre";
    int opaque = 0, light = 0, transparent = 0;
    for (unsigned y = 0; y < 16; ++y)
    {
        for (unsigned x = 0; x < 16; ++x)
        {
            const sf::Color c = player.getPixel(x, y);
            if (c.a == 0)
                ++transparent;
            else if (c.a == 255)
            {
                ++opaque;
                // A red multiply shows only on pixels with plenty of green and blue to take away.
                light += luminance(c) > 0.6 ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(opaque + transparent, 256) << "edges are hard pixel edges, no half-transparent fringe";
    EXPECT_GT(transparent, 40);
    EXPECT_GT(light * 2, opaque) << "most of the figure must be light for the red tint to read";
}

TEST(Pictures, BackgroundFillsTheCanvasAndTilesWithoutASeam)
{
    const sf::Image background = picture("background");
    ASSERT_EQ(background.getSize(), sf::Vector2u(300, 200));
    std::vector<double> neighbours;
    for (unsigned x = 0; x + 1 < 300; ++x)
    {
        neighbours.push_back(columnDifference(background, x, x + 1));
    }
    std::sort(neighbours.begin(), neighbours.end());
    const double usual = neighbours[neighbours.size() * 9 / 10];
    // Two copies scroll side by side: column 299 of one meets column 0 of the next, and that pair must look like
    // any other pair of neighbouring columns (a cut cloud or a gradient would stand out far above the usual).
    const double seam = columnDifference(background, 299, 0);
    EXPECT_LE(seam, usual) << "seam " << seam << " against " << usual << " for nine in ten neighbouring columns";
    for (unsigned y = 0; y < 200; ++y)
    {
        for (unsigned x = 0; x < 300; ++x)
        {
            ASSERT_EQ(background.getPixel(x, y).a, 255) << x << "," << y;
        }
    }
}

TEST(Pictures, BackgroundHalvesDifferAndLeaveBlackAndWhiteStandingOut)
{
    const sf::Image background = picture("background");
    ASSERT_EQ(background.getSize(), sf::Vector2u(300, 200));
    const sf::Color top = meanColour(background, 40, 95);
    const sf::Color bottom = meanColour(background, 105, 160);
    const int difference = std::abs(top.r - bottom.r) + std::abs(top.g - bottom.g) + std::abs(top.b - bottom.b);
    EXPECT_GT(difference, 40) << "the two halves of the world carry different music and must look different";
    // Black baseballers and white dust and love circle must stand out anywhere.
    for (unsigned y = 0; y < 200; ++y)
    {
        for (unsigned x = 0; x < 300; ++x)
        {
            const double l = luminance(background.getPixel(x, y));
            ASSERT_GT(l, 0.15) << "too dark for black figures at " << x << "," << y;
            ASSERT_LT(l, 0.82) << "too light for white dust at " << x << "," << y;
        }
    }
}

TEST(Pictures, RegionSelectorIsAMostlyClearMarkerOverHalfTheCanvas)
{
    const sf::Image selector = picture("region_selector");
    ASSERT_EQ(selector.getSize(), sf::Vector2u(300, 100));
    double alpha = 0;
    for (unsigned y = 0; y < 100; ++y)
    {
        for (unsigned x = 0; x < 300; ++x)
        {
            alpha += selector.getPixel(x, y).a;
        }
    }
    EXPECT_LT(alpha / 30000, 40) << "the world must show through";
    // Strong marks in every corner make the half obvious at a glance.
    for (sf::Vector2u corner : {sf::Vector2u(1, 1), sf::Vector2u(298, 1), sf::Vector2u(1, 98), sf::Vector2u(298, 98)})
    {
        EXPECT_GE(selector.getPixel(corner.x, corner.y).a, 128) << corner.x << "," << corner.y;
    }
    EXPECT_LT(selector.getPixel(150, 50).a, 40);
}

TEST(Pictures, TimeIconAndDustAreSmall)
{
    const sf::Image time = picture("time");
    EXPECT_GE(time.getSize().x, 12u);
    EXPECT_LE(time.getSize().x, 16u);
    EXPECT_GE(time.getSize().y, 12u);
    EXPECT_LE(time.getSize().y, 16u);
    EXPECT_TRUE(cornersTransparent(time));

    const sf::Image dust = picture("dust");
    const auto size = dust.getSize();
    EXPECT_GE(size.x, 4u);
    EXPECT_LE(size.x, 6u);
    EXPECT_GE(size.y, 4u);
    EXPECT_LE(size.y, 6u);
    // White, with a soft rim: the centre is the most opaque part.
    const sf::Color centre = dust.getPixel(size.x / 2, size.y / 2);
    for (unsigned y = 0; y < size.y; ++y)
    {
        for (unsigned x = 0; x < size.x; ++x)
        {
            const sf::Color c = dust.getPixel(x, y);
            if (c.a > 0)
            {
                EXPECT_EQ(c, sf::Color(255, 255, 255, c.a)) << x << "," << y;
            }
            EXPECT_LE(c.a, centre.a);
        }
    }
    EXPECT_LT(dust.getPixel(0, 0).a, centre.a / 2);
}
