#include "app/Settings.hpp"
#include "app/createWindow.hpp"
#include "kit/Random.hpp"
#include "render/presentCanvas.hpp"
#include "support/WindowPicture.hpp"

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

// Every window pixel must be the canvas pixel it enlarges: uniform blocks of the factor, nothing blended, row 0 on
// top, the picture at the offset and black around it.
void expectEnlargedPattern(const sf::Image& shown, sf::Vector2u size = {WINDOW_WIDTH, WINDOW_HEIGHT},
                           unsigned factor = 3, sf::Vector2u offset = {0, 0})
{
    ASSERT_EQ(shown.getSize(), size);
    int wrong = 0;
    for (unsigned y = 0; y < size.y; ++y)
        for (unsigned x = 0; x < size.x; ++x)
        {
            const bool inside = x >= offset.x && y >= offset.y && x < offset.x + CANVAS_WIDTH * factor &&
                                y < offset.y + CANVAS_HEIGHT * factor;
            const sf::Color expected =
                inside ? patternAt((x - offset.x) / factor, (y - offset.y) / factor) : sf::Color::Black;
            if (shown.getPixel(x, y) != expected && ++wrong <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is not "
                              << (inside ? "its canvas pixel" : "the black border");
        }
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

// As the player sees them: a window at a scale of 2, and the whole screen (1280x1024 under the test's Xvfb), where the
// picture takes the largest whole factor, 4, centred on black.
TEST(Presentation, AWindowAtAnotherScaleAndTheFullScreenShowWholeBlocks)
{
    const WindowPicture pictures;
    sf::RenderTexture picture;
    ASSERT_TRUE(picture.create(CANVAS_WIDTH, CANVAS_HEIGHT));
    paintPattern(picture);
    sf::RenderWindow window;

    createWindow(window, WindowMode{2, false}, TITLE);
    ASSERT_EQ(window.getSize(), sf::Vector2u(600, 400));
    presentCanvas(window, picture);
    expectEnlargedPattern(pictures.take(window.getSystemHandle()), {600, 400}, 2);

    createWindow(window, WindowMode{2, true}, TITLE);
    const sf::Vector2u screen(sf::VideoMode::getDesktopMode().width, sf::VideoMode::getDesktopMode().height);
    ASSERT_EQ(window.getSize(), screen);
    const unsigned factor = largestScale(screen);
    if (screen == sf::Vector2u(1280, 1024))
        EXPECT_EQ(factor, 4u);
    const sf::Vector2u offset((screen.x - CANVAS_WIDTH * factor) / 2, (screen.y - CANVAS_HEIGHT * factor) / 2);
    // Twice: a border left from an earlier frame would hide one the present does not paint.
    for (int frame = 0; frame < 2; ++frame)
    {
        window.clear(sf::Color::Magenta);
        presentCanvas(window, picture);
    }
    expectEnlargedPattern(pictures.take(window.getSystemHandle()), screen, factor, offset);
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
