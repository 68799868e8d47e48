#include "app/Settings.hpp"
#include "kit/Random.hpp"
#include "render/presentCanvas.hpp"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>

namespace
{

// A picture in which every pixel differs from its neighbours and the rows and columns can be told apart.
sf::Color patternAt(unsigned x, unsigned y)
{
    return sf::Color(static_cast<sf::Uint8>(x * 5 + y), static_cast<sf::Uint8>(y * 3 + (x % 2) * 128),
                     static_cast<sf::Uint8>((x * 7 + y * 13) % 256), 255);
}

void paintPattern(sf::RenderTexture& picture)
{
    sf::Image image;
    image.create(CANVAS_WIDTH, CANVAS_HEIGHT);
    for (unsigned y = 0; y < CANVAS_HEIGHT; ++y)
        for (unsigned x = 0; x < CANVAS_WIDTH; ++x)
            image.setPixel(x, y, patternAt(x, y));
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(image));
    picture.clear();
    picture.draw(sf::Sprite(texture));
}

// Every window pixel must be the canvas pixel it enlarges: uniform 3x3 blocks, nothing blended, row 0 on top.
void expectEnlargedPattern(const sf::Image& shown)
{
    ASSERT_EQ(shown.getSize(), sf::Vector2u(WINDOW_WIDTH, WINDOW_HEIGHT));
    int wrong = 0;
    for (unsigned y = 0; y < WINDOW_HEIGHT; ++y)
        for (unsigned x = 0; x < WINDOW_WIDTH; ++x)
            if (shown.getPixel(x, y) != patternAt(x / 3, y / 3) && ++wrong <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is not canvas pixel (" << x / 3 << ", " << y / 3
                              << ")";
    EXPECT_EQ(wrong, 0);
}

} // namespace

TEST(Presentation, EnlargesIntoARenderTargetAsSharpUprightBlocks)
{
    sf::RenderTexture picture;
    ASSERT_TRUE(picture.create(CANVAS_WIDTH, CANVAS_HEIGHT));
    paintPattern(picture);

    sf::RenderTexture target;
    ASSERT_TRUE(target.create(WINDOW_WIDTH, WINDOW_HEIGHT));
    target.clear(sf::Color::Magenta);
    drawEnlarged(target, picture);
    target.display();
    expectEnlargedPattern(target.getTexture().copyToImage());
}

TEST(Presentation, EnlargesIntoTheRealWindowAsSharpUprightBlocks)
{
    sf::RenderWindow window(sf::VideoMode(WINDOW_WIDTH, WINDOW_HEIGHT), "presentation test", sf::Style::Close);
    sf::RenderTexture picture;
    ASSERT_TRUE(picture.create(CANVAS_WIDTH, CANVAS_HEIGHT));
    paintPattern(picture);

    window.clear(sf::Color::Magenta);
    drawEnlarged(window, picture);
    sf::Texture backBuffer;
    ASSERT_TRUE(backBuffer.create(WINDOW_WIDTH, WINDOW_HEIGHT));
    backBuffer.update(window);
    expectEnlargedPattern(backBuffer.copyToImage());
    window.display();
}

TEST(Presentation, FlickerChangesNoChannelByMoreThanOneStep)
{
    sf::RenderTexture picture;
    ASSERT_TRUE(picture.create(CANVAS_WIDTH, CANVAS_HEIGHT));
    // Every channel value 0 to 255 appears under the flicker.
    sf::Image image;
    image.create(CANVAS_WIDTH, CANVAS_HEIGHT);
    for (unsigned y = 0; y < CANVAS_HEIGHT; ++y)
        for (unsigned x = 0; x < CANVAS_WIDTH; ++x)
            image.setPixel(
                x, y,
                sf::Color(static_cast<sf::Uint8>(x), static_cast<sf::Uint8>(255 - x), static_cast<sf::Uint8>(y), 255));
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(image));

    int changedFrames = 0;
    for (int frame = 0; frame < 8; ++frame)
    {
        picture.clear();
        picture.draw(sf::Sprite(texture));
        drawFlicker(picture);
        picture.display();
        const sf::Image shown = picture.getTexture().copyToImage();
        bool changed = false;
        for (unsigned y = 0; y < CANVAS_HEIGHT; ++y)
            for (unsigned x = 0; x < CANVAS_WIDTH; ++x)
            {
                const sf::Color before = image.getPixel(x, y);
                const sf::Color after = shown.getPixel(x, y);
                ASSERT_LE(std::abs(after.r - before.r), 1) << x << "," << y;
                ASSERT_LE(std::abs(after.g - before.g), 1) << x << "," << y;
                ASSERT_LE(std::abs(after.b - before.b), 1) << x << "," << y;
                changed = changed || after != before;
            }
        changedFrames += changed ? 1 : 0;
    }
    // The flicker is there at all: with alpha 1 some dark channels move by one step.
    EXPECT_GT(changedFrames, 0);
}
