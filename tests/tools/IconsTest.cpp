#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace
{

sf::Image loaded(const std::string& path)
{
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(path)) << path;
    return image;
}

bool same(sf::Color a, sf::Color b)
{
    return a == b || (a.a == 0 && b.a == 0);
}

} // namespace

// Every icon is the player's grid in sharp whole-factor blocks, centred on a transparent square: any smoothing, an
// off-centre placement or a scale that is not whole shows up as a pixel that differs from its block's source.
TEST(Icons, EachSizeIsThePlayerInSharpBlocksCentredOnATransparentSquare)
{
    const sf::Image player = loaded("resources/images/player.PNG");
    const unsigned side = std::max(player.getSize().x, player.getSize().y);
    for (const unsigned size : {16u, 32u, 48u, 64u, 128u, 256u})
    {
        const sf::Image icon = loaded("icons/brindlewick_" + std::to_string(size) + ".png");
        ASSERT_EQ(icon.getSize(), sf::Vector2u(size, size)) << size;
        const unsigned scale = size / side;
        const unsigned left = (size - player.getSize().x * scale) / 2;
        const unsigned top = (size - player.getSize().y * scale) / 2;
        unsigned wrong = 0;
        for (unsigned y = 0; y < size; ++y)
        {
            for (unsigned x = 0; x < size; ++x)
            {
                const bool inside = x >= left && y >= top && x < left + player.getSize().x * scale &&
                                    y < top + player.getSize().y * scale;
                const sf::Color expected =
                    inside ? player.getPixel((x - left) / scale, (y - top) / scale) : sf::Color::Transparent;
                wrong += same(icon.getPixel(x, y), expected) ? 0 : 1;
            }
        }
        EXPECT_EQ(wrong, 0u) << size << "x" << size;
    }
}
