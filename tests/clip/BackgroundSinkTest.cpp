#include "clip/BackgroundSink.hpp"

#include "clip/ClipWriter.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Writes down what reaches it, in order; the picture by its first byte. Fails on the picture numbered `failAt`.
class RecordingSink : public ClipSink
{
public:
    void writePicture(const sf::Uint8* rgba) override
    {
        if (rgba[0] == failAt)
            throw ClipError("Cannot write picture " + std::to_string(rgba[0]));
        arrived.push_back("picture " + std::to_string(rgba[0]) + "," + std::to_string(rgba[PictureBytes - 1]));
    }
    void writeSound(const float* samples, std::size_t frames) override
    {
        arrived.push_back("sound " + std::to_string(frames) + " from " + std::to_string(samples[0]).substr(0, 4));
    }

    static constexpr std::size_t PictureBytes = 64;
    std::vector<std::string> arrived;
    int failAt = -1;
};

std::vector<sf::Uint8> picture(int number)
{
    std::vector<sf::Uint8> pixels(RecordingSink::PictureBytes, static_cast<sf::Uint8>(number));
    pixels.back() = static_cast<sf::Uint8>(number + 100);
    return pixels;
}

} // namespace

TEST(BackgroundSink, PassesEverythingOnInOrderAsCopies)
{
    RecordingSink sink;
    {
        BackgroundSink background(sink, RecordingSink::PictureBytes, 2);
        for (int n = 0; n < 20; ++n)
        {
            // The caller's buffers are reused at once, as the renderer's are.
            std::vector<sf::Uint8> pixels = picture(n);
            background.writePicture(pixels.data());
            pixels.assign(pixels.size(), 255);
            std::vector<float> sound{static_cast<float>(n), 0.f, 0.f, 0.f, 0.f, 0.f};
            background.writeSound(sound.data(), 3);
            sound.assign(sound.size(), -1.f);
        }
        background.finish();
    }
    ASSERT_EQ(sink.arrived.size(), 40u);
    for (int n = 0; n < 20; ++n)
    {
        EXPECT_EQ(sink.arrived[static_cast<std::size_t>(2 * n)],
                  "picture " + std::to_string(n) + "," + std::to_string(n + 100));
        EXPECT_EQ(sink.arrived[static_cast<std::size_t>(2 * n + 1)],
                  "sound 3 from " + std::to_string(static_cast<float>(n)).substr(0, 4));
    }
}

TEST(BackgroundSink, TheSinksFailureReachesTheCallerAndNothingAfterItIsWritten)
{
    RecordingSink sink;
    sink.failAt = 5;
    BackgroundSink background(sink, RecordingSink::PictureBytes, 1);
    bool thrown = false;
    try
    {
        for (int n = 0; n < 50; ++n)
        {
            const std::vector<sf::Uint8> pixels = picture(n);
            background.writePicture(pixels.data());
        }
        background.finish();
    }
    catch (const ClipError& error)
    {
        thrown = true;
        EXPECT_STREQ(error.what(), "Cannot write picture 5");
    }
    EXPECT_TRUE(thrown);
    ASSERT_EQ(sink.arrived.size(), 5u);
    EXPECT_EQ(sink.arrived.back(), "picture 4,104");
    // Once failed, it stays failed.
    const std::vector<sf::Uint8> pixels = picture(60);
    EXPECT_THROW(background.writePicture(pixels.data()), ClipError);
}

TEST(BackgroundSink, DestroyedUnfinishedItDropsWhatWaitsAndEnds)
{
    RecordingSink sink;
    {
        BackgroundSink background(sink, RecordingSink::PictureBytes, 1);
        for (int n = 0; n < 10; ++n)
        {
            const std::vector<sf::Uint8> pixels = picture(n);
            background.writePicture(pixels.data());
        }
    }
    // Whatever had reached the sink came whole and in order.
    for (std::size_t i = 0; i < sink.arrived.size(); ++i)
        EXPECT_EQ(sink.arrived[i], "picture " + std::to_string(i) + "," + std::to_string(i + 100));
}
