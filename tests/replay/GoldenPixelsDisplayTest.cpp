// Golden pixels: a few frames of a golden script, presented in a real window as the game and the watch mode present
// them, and read back from what the X server shows. The digests stay the exact check of the game; these frames
// check the picture the player gets: the canvas enlarged 3x with nothing blurred, and the colours of committed
// reference pictures (tests/replay/goldens/*.frameN.png, one pixel per canvas pixel) within a small tolerance,
// since pixels differ between drivers. scripts/regen_goldens.sh remakes the references with the digests.

#include "app/Settings.hpp"
#include "app/createWindow.hpp"
#include "render/presentCanvas.hpp"
#include "replay/ReplaySession.hpp"
#include "support/WindowPicture.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>

namespace
{

const std::string GoldenFolder = std::string(BRINDLEWICK_SOURCE_DIR) + "/tests/replay/goldens/";
const std::string Script = "dash_and_love";

struct CheckedFrame
{
    std::size_t index;
    const char* shows;
};

// Spread over the game, each with something a broken presentation would spoil.
const CheckedFrame Frames[] = {
    {70, "early, with a dash's dust trail"},
    {240, "with the love circle open"},
    {800, "near the end, fading into the ending card"},
};

// How far another driver's picture may stray from the references, which were read from Mesa's software renderer.
// A channel within 5 levels is the same colour: the deepest stack in these frames is three blended layers (a
// half-transparent baseballer, the fade sheet and the flicker's grey of alpha 1), and each may round by a level
// either way. Beyond that, rasterisers may part on single pixels where an edge runs through a pixel's centre: the
// rotated player, the love circle's outline, the slanted sides of the baseballers. At most 0.5% of the canvas (300
// of its 60,000 pixels) may be further off. Two frames 1/60 s apart already part on 1,000 to 2,500 pixels in these
// scenes, and the picture moved by one pixel on 3,000 to 15,000, so a wrong or moved frame or a lost sprite fails.
constexpr int ChannelTolerance = 5;
constexpr int StrayPixelsAllowed = CANVAS_WIDTH * CANVAS_HEIGHT / 200;

std::string referencePath(std::size_t frame)
{
    return GoldenFolder + Script + ".frame" + std::to_string(frame) + ".png";
}

std::string describe(sf::Color colour)
{
    std::ostringstream text;
    text << '(' << int(colour.r) << ", " << int(colour.g) << ", " << int(colour.b) << ')';
    return text.str();
}

int channelDistance(sf::Color a, sf::Color b)
{
    const int red = std::abs(int(a.r) - int(b.r));
    const int green = std::abs(int(a.g) - int(b.g));
    const int blue = std::abs(int(a.b) - int(b.b));
    return std::max(red, std::max(green, blue));
}

// The canvas the window shows, one pixel per 3x3 block of the window. Nearest sampling of a whole 3x enlargement
// samples every canvas pixel away from its edges, so on any driver each block is exactly one colour; a block of
// two colours is blur, a shift or a stretch.
::testing::AssertionResult readBlocks(const sf::Image& shown, sf::Image& blocks)
{
    if (shown.getSize().x == 0)
        return ::testing::AssertionFailure() << "the window is not on the screen";
    if (shown.getSize() != sf::Vector2u(WINDOW_WIDTH, WINDOW_HEIGHT))
        return ::testing::AssertionFailure() << "the window shows " << shown.getSize().x << "x" << shown.getSize().y
                                             << " pixels, not " << WINDOW_WIDTH << "x" << WINDOW_HEIGHT;
    blocks.create(CANVAS_WIDTH, CANVAS_HEIGHT);
    int mixed = 0;
    std::string first;
    for (unsigned y = 0; y < CANVAS_HEIGHT; ++y)
        for (unsigned x = 0; x < CANVAS_WIDTH; ++x)
        {
            const sf::Color colour = shown.getPixel(3 * x, 3 * y);
            blocks.setPixel(x, y, colour);
            bool uniform = true;
            for (unsigned dy = 0; dy < 3 && uniform; ++dy)
                for (unsigned dx = 0; dx < 3 && uniform; ++dx)
                    uniform = shown.getPixel(3 * x + dx, 3 * y + dy) == colour;
            if (!uniform && mixed++ == 0)
                first = "the block of canvas pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    if (mixed > 0)
        return ::testing::AssertionFailure() << mixed << " of the " << CANVAS_WIDTH * CANVAS_HEIGHT
                                             << " 3x3 blocks are not one colour; the first is " << first;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult matchesReference(const CheckedFrame& frame, const sf::Image& blocks,
                                            const sf::Image& reference)
{
    if (reference.getSize() != blocks.getSize())
        return ::testing::AssertionFailure() << referencePath(frame.index) << " is not " << CANVAS_WIDTH << "x"
                                             << CANVAS_HEIGHT << ": run scripts/regen_goldens.sh";
    int stray = 0;
    std::string first;
    for (unsigned y = 0; y < CANVAS_HEIGHT; ++y)
        for (unsigned x = 0; x < CANVAS_WIDTH; ++x)
        {
            const sf::Color shown = blocks.getPixel(x, y);
            const sf::Color expected = reference.getPixel(x, y);
            if (channelDistance(shown, expected) > ChannelTolerance && stray++ == 0)
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + "): shown " + describe(shown) +
                        ", expected " + describe(expected);
        }
    if (stray > StrayPixelsAllowed)
        return ::testing::AssertionFailure()
               << "frame " << frame.index << " (" << frame.shows << "): " << stray << " of the "
               << CANVAS_WIDTH * CANVAS_HEIGHT << " canvas pixels differ from " << referencePath(frame.index)
               << " by more than " << ChannelTolerance << " levels in a channel (at most " << StrayPixelsAllowed
               << " may); the first is " << first;
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(GoldenPixels, TheWindowShowsReplayedFramesSharplyEnlargedAndAsCommitted)
{
    const WindowPicture pictures;
    sf::RenderWindow window;
    createWindow(window, WINDOW_WIDTH, WINDOW_HEIGHT, TITLE);
    kit::MultiResourceCache cache;
    ReplaySession session(ReplaySession::open(GoldenFolder + Script + ".script"), cache, MediaFolder());
    const bool regenerate = std::getenv("BRINDLEWICK_REGEN_GOLDENS") != nullptr;

    std::size_t next = 0;
    while (next < std::size(Frames) && session.step())
    {
        if (session.getFrame().index != Frames[next].index)
            continue;
        const CheckedFrame& frame = Frames[next++];
        SCOPED_TRACE("frame " + std::to_string(frame.index) + " (" + frame.shows + ")");
        ASSERT_TRUE(session.getFrame().drawn);

        // Shown as the watch mode shows a frame: the window's events taken, then the canvas presented.
        sf::Event event;
        while (window.pollEvent(event))
        {
        }
        presentCanvas(window, canvas());
        sf::Image blocks;
        ASSERT_TRUE(readBlocks(pictures.take(window.getSystemHandle()), blocks));

        if (regenerate)
        {
            ASSERT_TRUE(blocks.saveToFile(referencePath(frame.index)))
                << "could not write " << referencePath(frame.index);
            continue;
        }
        sf::Image reference;
        ASSERT_TRUE(reference.loadFromFile(referencePath(frame.index)))
            << referencePath(frame.index) << " is missing: run scripts/regen_goldens.sh";
        EXPECT_TRUE(matchesReference(frame, blocks, reference));
    }
    EXPECT_EQ(next, std::size(Frames)) << "the replay ended before all its checked frames were shown";
}
