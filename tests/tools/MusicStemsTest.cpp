#include "tools/MediaFiles.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{

const long StemFrames = 617400; // 14.0 s at 44.1 kHz
const long HalfSecond = 22050;

const Sound& stem(const std::string& name)
{
    static Sound base = readSound("resources/sounds/music_base.wav");
    static Sound top = readSound("resources/sounds/music_top.wav");
    static Sound bottom = readSound("resources/sounds/music_bottom.wav");
    return name == "base" ? base : name == "top" ? top : bottom;
}

double meanSquare(const std::vector<float>& s, long from, long to)
{
    double sum = 0;
    from = std::max(from, 0L);
    to = std::min(to, static_cast<long>(s.size()));
    for (long i = from; i < to; ++i)
    {
        sum += static_cast<double>(s[static_cast<std::size_t>(i)]) * s[static_cast<std::size_t>(i)];
    }
    return to > from ? sum / static_cast<double>(to - from) : 0;
}

// Upward zero crossings a second: a rough measure of how high a line sits.
double crossingsPerSecond(const Sound& sound)
{
    long count = 0;
    for (std::size_t i = 1; i < sound.samples.size(); ++i)
    {
        count += sound.samples[i - 1] < 0 && sound.samples[i] >= 0 ? 1 : 0;
    }
    return static_cast<double>(count) / sound.seconds();
}

} // namespace

TEST(MusicStems, AreAligned16BitPcmOfFourteenSeconds)
{
    for (const char* name : {"base", "top", "bottom"})
    {
        const std::string path = std::string("resources/sounds/music_") + name + ".wav";
        const WaveFormat format = waveFormatOf(path);
        EXPECT_EQ(format.encoding, 1) << path;
        EXPECT_EQ(format.bitsPerSample, 16) << path;
        EXPECT_EQ(format.sampleRate, 44100) << path;
        const Sound& sound = stem(name);
        ASSERT_TRUE(sound.opened) << path;
        EXPECT_EQ(static_cast<long>(sound.samples.size()), StemFrames) << path;
        EXPECT_GT(peakOf(sound.samples), 0.1f) << path << " is nearly silent";
        // The game stops on the base stem's end: every stem ends at rest, not with a click.
        EXPECT_LT(std::abs(sound.samples.back()), 0.002f) << path;
    }
}

TEST(MusicStems, AllThreeTogetherStayBelowFullScale)
{
    const Sound &base = stem("base"), &top = stem("top"), &bottom = stem("bottom");
    ASSERT_EQ(base.samples.size(), top.samples.size());
    ASSERT_EQ(base.samples.size(), bottom.samples.size());
    float peak = 0;
    for (std::size_t i = 0; i < base.samples.size(); ++i)
    {
        peak = std::max(peak, std::abs(base.samples[i] + top.samples[i] + bottom.samples[i]));
    }
    EXPECT_LT(peak, 0.95f);
    EXPECT_GT(peak, 0.5f) << "the mix is needlessly quiet";
}

TEST(MusicStems, BaseStemAccentsEveryHalfSecondOnTheSample)
{
    // The command board acts on the half seconds of the base stem, so its beat must be heard exactly there: on
    // every half second the loudness jumps well above what came just before, within 2 ms of the beat.
    const std::vector<float>& s = stem("base").samples;
    ASSERT_EQ(static_cast<long>(s.size()), StemFrames);
    const long window = 44;    // 1 ms of loudness
    const long tolerance = 88; // 2 ms
    for (long beat = 0; beat * HalfSecond < StemFrames; ++beat)
    {
        const long at = beat * HalfSecond;
        const double before = meanSquare(s, at - 1323, at - 220); // 30 ms to 5 ms before the beat
        const double accent = meanSquare(s, at, at + 441);        // the first 10 ms of the beat
        EXPECT_GT(accent, 6 * before + 1e-5) << "no clear accent at " << static_cast<double>(at) / 44100.0 << " s";
        long onset = -1;
        for (long n = at - 441; n < at + 441; ++n)
        {
            if (meanSquare(s, n, n + window) > 4 * before + 1e-5)
            {
                onset = n;
                break;
            }
        }
        ASSERT_NE(onset, -1) << "no onset near " << static_cast<double>(at) / 44100.0 << " s";
        EXPECT_LE(std::abs(onset + window / 2 - at), tolerance)
            << "onset at sample " << onset << " for the beat at " << at;
    }
}

TEST(MusicStems, TopLineSitsHighAndBottomLineLow)
{
    // Each half-stem completes the base on its own: both carry a line of their own, the top one bright and high,
    // the bottom one low and dark.
    const double top = crossingsPerSecond(stem("top"));
    const double bottom = crossingsPerSecond(stem("bottom"));
    EXPECT_GT(top, 2 * bottom) << "top " << top << " and bottom " << bottom << " crossings a second";
    for (const char* name : {"top", "bottom"})
    {
        const std::vector<float>& s = stem(name).samples;
        // Heard all through the countdown, not only now and then.
        for (long second = 0; second < 12; ++second)
        {
            EXPECT_GT(meanSquare(s, second * 44100, (second + 1) * 44100), 1e-4)
                << name << " silent in second " << second;
        }
    }
}
