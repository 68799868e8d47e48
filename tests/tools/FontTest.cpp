#include <SFML/Graphics/Font.hpp>

#include <gtest/gtest.h>

TEST(Font, LoadsAsTheGamesOwnPixelFamily)
{
    sf::Font font;
    ASSERT_TRUE(font.loadFromFile("resources/FreePixel.ttf"));
    EXPECT_EQ(font.getInfo().family, "Brindlewick Pixel");
}
