#include "clip/CanvasReadback.hpp"
#include "clip/ReplayFrameSource.hpp"

#include "app/Settings.hpp"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

// Frame n: a flat colour with a small square near the top-left corner that moves, so that a picture upside down,
// a frame late or one of another frame all differ from it.
void drawFrame(sf::RenderTexture& picture, int n)
{
    picture.clear(sf::Color(static_cast<sf::Uint8>(n * 40), 90, static_cast<sf::Uint8>(250 - n * 30)));
    sf::RectangleShape square({7.f, 5.f});
    square.setPosition(static_cast<float>(3 + n), 2.f);
    square.setFillColor(sf::Color::White);
    picture.draw(square);
    picture.display();
}

std::vector<sf::Uint8> pixelsOf(const sf::Image& image)
{
    const sf::Uint8* pixels = image.getPixelsPtr();
    return {pixels, pixels + std::size_t{image.getSize().x} * image.getSize().y * 4};
}

std::vector<sf::Uint8> taken(CanvasReadback& readback, const sf::RenderTexture& picture)
{
    const sf::Uint8* pixels = readback.take();
    return {pixels, pixels + std::size_t{picture.getSize().x} * picture.getSize().y * 4};
}

} // namespace

// Both ways of reading give every frame's picture as copyToImage does, in order and upright, one read behind.
TEST(CanvasReadback, TakesEachPictureAsDrawnOneReadBehind)
{
    for (const bool pixelBuffers : {true, false})
    {
        SCOPED_TRACE(pixelBuffers ? "pixel buffer objects" : "reads at once");
        sf::RenderTexture picture;
        ASSERT_TRUE(picture.create(CANVAS_WIDTH, CANVAS_HEIGHT));
        CanvasReadback readback(picture, pixelBuffers);
        if (!pixelBuffers)
        {
            EXPECT_FALSE(readback.isAsynchronous());
        }
        EXPECT_THROW(readback.take(), std::logic_error);

        std::vector<std::vector<sf::Uint8>> drawn;
        for (int n = 0; n < 6; ++n)
        {
            drawFrame(picture, n);
            drawn.push_back(pixelsOf(picture.getTexture().copyToImage()));
            readback.read();
            if (n == 0)
                continue;
            EXPECT_EQ(readback.getWaiting(), CanvasReadback::Slots);
            EXPECT_THROW(readback.read(), std::logic_error);
            EXPECT_TRUE(taken(readback, picture) == drawn[static_cast<std::size_t>(n) - 1]) << "frame " << n - 1;
        }
        EXPECT_TRUE(taken(readback, picture) == drawn.back());
        EXPECT_EQ(readback.getWaiting(), 0u);
    }
}

// The replay's frames reach the clip as the game drew them: every picture, clock and sound of a plain replay of the
// same script, none lost at the end, and the game's length.
TEST(ReplayFrameSource, HandsOverEveryDrawnFrameOfAGame)
{
    const std::string script = "seed 5\n0.30 press Right\n0.70 down LShift\n1.90 up LShift\n";
    struct Seen
    {
        std::vector<sf::Uint8> pixels;
        sf::Time clock;
        std::size_t sounds;
    };
    std::vector<Seen> played;
    {
        kit::MultiResourceCache cache;
        std::istringstream in(script);
        ReplaySession session(ReplaySession::read(in, "game.txt"), cache, MediaFolder());
        while (session.step() && session.getFrame().drawn)
            played.push_back({pixelsOf(canvas().getTexture().copyToImage()), session.getFrame().musicTime,
                              session.getFrame().soundsStarted.size()});
    }
    ASSERT_GT(played.size(), 800u);

    std::istringstream in(script);
    ReplayFrameSource source(ReplaySession::read(in, "game.txt"), MediaFolder());
    ClipFrame frame;
    std::size_t n = 0;
    const std::size_t size = std::size_t{CANVAS_WIDTH} * CANVAS_HEIGHT * 4;
    for (; source.next(frame); ++n)
    {
        ASSERT_LT(n, played.size());
        ASSERT_TRUE(std::equal(frame.canvas, frame.canvas + size, played[n].pixels.begin())) << "frame " << n;
        ASSERT_EQ(frame.clock, played[n].clock) << "frame " << n;
        ASSERT_EQ(frame.started.size(), played[n].sounds) << "frame " << n;
    }
    EXPECT_EQ(n, played.size());
    EXPECT_FALSE(source.next(frame));
    EXPECT_EQ(source.getLength(), source.getExpectedLength());
}
