#include "clip/ClipRenderer.hpp"

#include "app/Settings.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace
{

// Remembers which game frame each video frame showed (by the first pixel's red value) and how much sound came.
class CountingSink : public ClipSink
{
public:
    void writePicture(const sf::Uint8* rgba) override { shown.push_back(rgba[0]); }
    void writeSound(const float*, std::size_t frames) override { soundFrames += frames; }

    std::vector<int> shown;
    std::size_t soundFrames = 0;
};

struct Game
{
    CountingSink sink;
    AudioMixdown mixdown{{SoundData{std::vector<float>(std::size_t{44100} * 20, 0.f), 44100, 1}, {}, {}}, {}};
    ClipRenderer renderer{sink, mixdown};
    std::vector<std::vector<sf::Uint8>> canvases;

    // A game frame whose canvas is filled with its number.
    void frame(sf::Time clock)
    {
        const auto number = static_cast<sf::Uint8>(canvases.size());
        canvases.emplace_back(static_cast<std::size_t>(CANVAS_WIDTH) * CANVAS_HEIGHT * 4, number);
        ClipFrame frame;
        frame.canvas = canvases.back().data();
        frame.clock = clock;
        renderer.add(frame);
    }
};

} // namespace

TEST(ClipRenderer, EachVideoFrameShowsTheLastGameFrameAtOrBeforeItsTime)
{
    Game game;
    // Uneven game frames: one stalls, two come within one video frame, one lands exactly on a video frame's time.
    game.frame(sf::microseconds(5000));   // 0
    game.frame(sf::microseconds(20000));  // 1
    game.frame(sf::microseconds(80000));  // 2
    game.frame(sf::microseconds(81000));  // 3
    game.frame(sf::microseconds(100000)); // 4, exactly video frame 6
    game.renderer.finish(sf::microseconds(110000));

    // Video frame times: 0, 16.7, 33.3, 50, 66.7, 83.3, 100 ms.
    const std::vector<int> expected{0, 0, 1, 1, 1, 3, 4};
    EXPECT_EQ(game.sink.shown, expected);
    EXPECT_EQ(game.renderer.getVideoFrames(), 7);
    // The sound runs exactly as long as the video.
    EXPECT_EQ(game.sink.soundFrames, 7u * 44100 / 60);
}

TEST(ClipRenderer, ALongGameLastsItsLengthWithinOneVideoFrame)
{
    for (const double frameSeconds : {1.0 / 60, 1.0 / 144, 1.0 / 50, 1.0 / 23})
    {
        Game game;
        double clock = 0.0;
        for (; clock < 14.0; clock += frameSeconds)
            game.frame(sf::microseconds(static_cast<sf::Int64>(clock * 1e6)));
        const sf::Time length = sf::microseconds(static_cast<sf::Int64>(clock * 1e6));
        game.renderer.finish(length);
        const double duration = static_cast<double>(game.renderer.getVideoFrames()) / 60.0;
        EXPECT_GE(duration, length.asSeconds() - 1e-6) << frameSeconds;
        EXPECT_LT(duration, length.asSeconds() + 1.0 / 60) << frameSeconds;
        EXPECT_NEAR(static_cast<double>(game.sink.soundFrames), game.renderer.getVideoFrames() * 44100.0 / 60, 1.0);
    }
}

TEST(ClipRenderer, VideoFrameCounts)
{
    EXPECT_EQ(videoFramesBefore(sf::Time::Zero, 60), 0);
    EXPECT_EQ(videoFramesBefore(sf::microseconds(-5), 60), 0);
    EXPECT_EQ(videoFramesBefore(sf::microseconds(1), 60), 1);
    EXPECT_EQ(videoFramesBefore(sf::seconds(1.f), 60), 60);
    EXPECT_EQ(videoFramesBefore(sf::microseconds(1000001), 60), 61);
}
