#include "clip/AudioMixdown.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

constexpr unsigned Rate = 1000;

SoundData constant(float value, std::size_t frames, unsigned rate = Rate, unsigned channels = 1)
{
    SoundData sound;
    sound.sampleRate = rate;
    sound.channels = channels;
    sound.samples.assign(frames * channels, value);
    return sound;
}

// A short sound whose samples count up, so that the mix shows which of its samples plays where.
SoundData ramp(std::size_t frames)
{
    SoundData sound = constant(0.f, frames);
    for (std::size_t i = 0; i < frames; ++i)
        sound.samples[i] = 0.01f * static_cast<float>(i + 1);
    return sound;
}

AudioMixdown mixdownOf(SoundData base, SoundData top, SoundData bottom, SoundData dash = {})
{
    return AudioMixdown({std::move(base), std::move(top), std::move(bottom)}, {std::move(dash), {}, {}});
}

sf::Time at(int sample)
{
    return sf::microseconds(sample * 1000000 / static_cast<int>(Rate));
}

} // namespace

TEST(AudioMixdown, MixesTheStemsAtTheVolumesSetFromEachFrameOn)
{
    AudioMixdown mixdown = mixdownOf(constant(0.1f, 4000), constant(0.2f, 4000), constant(0.4f, 4000));
    mixdown.frame(at(0), {100.f, 100.f, 0.f}, {});
    mixdown.frame(at(1000), {100.f, 50.f, 50.f}, {});
    mixdown.mixUntil(at(2000));
    const std::vector<float>& out = mixdown.getPending();
    ASSERT_EQ(out.size(), 2000u);
    // Before the change: base and a full top stem.
    EXPECT_NEAR(out[0], 0.3f, 1e-6f);
    EXPECT_NEAR(out[999], 0.3f, 1e-6f);
    // The change ramps in from its frame's sample, and is complete a ramp's length later.
    EXPECT_NEAR(out[1000], 0.3f, 1e-6f);
    EXPECT_GT(out[1000 + AudioMixdown::RampSamples / 2], 0.3f);
    EXPECT_LT(out[1000 + AudioMixdown::RampSamples / 2], 0.4f);
    EXPECT_NEAR(out[1000 + AudioMixdown::RampSamples], 0.1f + 0.1f + 0.2f, 1e-6f);
    EXPECT_NEAR(out[1999], 0.4f, 1e-6f);
}

TEST(AudioMixdown, RampsNeverJumpAndAnEndedStemIsSilent)
{
    AudioMixdown mixdown = mixdownOf(constant(0.5f, 1500), {}, {});
    mixdown.frame(at(0), {0.f, 0.f, 0.f}, {});
    // Volume changes every 17 samples, faster than a ramp, as a game frame can be: no step larger than the ramp's.
    for (int frame = 1; frame <= 50; ++frame)
        mixdown.frame(at(frame * 17), {frame % 2 == 0 ? 0.f : 100.f, 0.f, 0.f}, {});
    mixdown.mixUntil(at(2000));
    const std::vector<float>& out = mixdown.getPending();
    ASSERT_EQ(out.size(), 2000u);
    for (std::size_t i = 1; i < 1500; ++i)
        EXPECT_LE(std::fabs(out[i] - out[i - 1]), 0.5f / AudioMixdown::RampSamples + 1e-6f) << i;
    EXPECT_EQ(out[1500], 0.f);
    EXPECT_EQ(out[1999], 0.f);
}

TEST(AudioMixdown, ASoundStartsAtItsFrameAndRestartsFromItsBeginning)
{
    AudioMixdown mixdown = mixdownOf(constant(0.f, 1000), {}, {}, ramp(10));
    mixdown.frame(at(0), {100.f, 0.f, 0.f}, {});
    mixdown.frame(at(100), {100.f, 0.f, 0.f}, {AudioMixdown::Dash});
    // Started again while it plays: the first playing is cut off, not mixed on top.
    mixdown.frame(at(104), {100.f, 0.f, 0.f}, {AudioMixdown::Dash, AudioMixdown::Dash});
    mixdown.mixUntil(at(200));
    const std::vector<float>& out = mixdown.getPending();
    EXPECT_EQ(out[99], 0.f);
    EXPECT_FLOAT_EQ(out[100], 0.01f);
    EXPECT_FLOAT_EQ(out[103], 0.04f);
    EXPECT_FLOAT_EQ(out[104], 0.01f);
    EXPECT_FLOAT_EQ(out[113], 0.10f);
    EXPECT_EQ(out[114], 0.f);
}

TEST(AudioMixdown, LoudSumsAreClippedAndOtherFormatsAreConformed)
{
    // A stereo sound at half the rate goes into a mono mix at the base stem's rate.
    SoundData dash = constant(0.f, 5, Rate / 2, 2);
    for (std::size_t i = 0; i < 5; ++i)
    {
        dash.samples[2 * i] = 0.1f * static_cast<float>(i);
        dash.samples[2 * i + 1] = 0.3f * static_cast<float>(i);
    }
    AudioMixdown mixdown = mixdownOf(constant(0.9f, 100), constant(0.9f, 100), {}, dash);
    EXPECT_EQ(mixdown.getSampleRate(), Rate);
    EXPECT_EQ(mixdown.getChannels(), 1u);
    mixdown.frame(at(0), {100.f, 100.f, 0.f}, {});
    mixdown.frame(at(50), {0.f, 0.f, 0.f}, {AudioMixdown::Dash});
    mixdown.frame(at(50 + AudioMixdown::RampSamples), {0.f, 0.f, 0.f}, {});
    mixdown.mixUntil(at(50 + AudioMixdown::RampSamples + 20));
    const std::vector<float>& out = mixdown.getPending();
    EXPECT_EQ(out[0], 1.f);
    // Each sound frame is the two channels' average, and every other sample lies halfway between two frames.
    const std::size_t start = 50 + AudioMixdown::RampSamples;
    SoundData conformedDash = conformed(dash, Rate, 1);
    ASSERT_EQ(conformedDash.frames(), 9u);
    EXPECT_FLOAT_EQ(conformedDash.samples[2], 0.2f);
    EXPECT_FLOAT_EQ(conformedDash.samples[3], 0.3f);
    EXPECT_FLOAT_EQ(conformedDash.samples[8], 0.8f);
    // Sound started at 50 while the stems fell silent: 64 samples in, only the sound is left, and it has ended.
    EXPECT_EQ(out[start], 0.f);
}
