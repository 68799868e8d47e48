#include "tools/MediaFiles.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{

struct EffectLength
{
    const char* name;
    double shortest;
    double longest;
};

// Short and rising tones shake the speaker on their first sample unless they start and stop at rest.
void expectQuietEnds(const Sound& sound, const std::string& name)
{
    const float peak = peakOf(sound.samples);
    ASSERT_GT(peak, 0.1f) << name << " is nearly silent";
    EXPECT_LT(peak, 0.99f) << name << " reaches full scale";
    const auto oneMillisecond = static_cast<std::size_t>(sound.sampleRate / 1000);
    EXPECT_LT(std::abs(sound.samples.front()), 0.002f) << name;
    EXPECT_LT(std::abs(sound.samples.back()), 0.002f) << name;
    EXPECT_LT(peakOf(sound.samples, 0, oneMillisecond), peak * 0.25f) << name << " starts with a click";
    EXPECT_LT(peakOf(sound.samples, sound.samples.size() - oneMillisecond), peak * 0.25f)
        << name << " ends with a click";
}

} // namespace

TEST(Sounds, EffectsAre16BitPcmAt44100HzOfTheirLength)
{
    const EffectLength effects[] = {{"dash", 0.12, 0.18}, {"zoop", 0.2, 0.3}, {"blow", 0.4, 0.6}};
    for (const EffectLength& effect : effects)
    {
        const std::string path = std::string("resources/sounds/") + effect.name + ".wav";
        const WaveFormat format = waveFormatOf(path);
        EXPECT_EQ(format.encoding, 1) << path;
        EXPECT_EQ(format.bitsPerSample, 16) << path;
        EXPECT_EQ(format.sampleRate, 44100) << path;

        const Sound sound = readSound(path);
        ASSERT_TRUE(sound.opened) << path;
        EXPECT_GE(sound.seconds(), effect.shortest) << path;
        EXPECT_LE(sound.seconds(), effect.longest) << path;
        expectQuietEnds(sound, effect.name);
    }
}

TEST(Sounds, ZoopRisesInPitch)
{
    const Sound zoop = readSound("resources/sounds/zoop.wav");
    ASSERT_TRUE(zoop.opened);
    // Count zero crossings (upward) in the first and the second third of the sound.
    auto crossings = [&](std::size_t from, std::size_t to)
    {
        int count = 0;
        for (std::size_t i = from + 1; i < to; ++i)
        {
            count += zoop.samples[i - 1] < 0 && zoop.samples[i] >= 0 ? 1 : 0;
        }
        return count;
    };
    const std::size_t third = zoop.samples.size() / 3;
    EXPECT_GT(crossings(third, 2 * third), crossings(0, third) * 3 / 2);
}
