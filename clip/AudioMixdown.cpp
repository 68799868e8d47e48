#include "clip/AudioMixdown.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
float gainOf(float volume)
{
    return std::clamp(volume, 0.f, 100.f) / 100.f;
}
} // namespace

float AudioMixdown::Gain::at(std::int64_t sample) const
{
    if (sample >= rampStart + RampSamples)
        return to;
    if (sample <= rampStart)
        return from;
    return from + (to - from) * static_cast<float>(sample - rampStart) / static_cast<float>(RampSamples);
}

AudioMixdown::AudioMixdown(std::array<SoundData, StemCount> stemSounds, std::array<SoundData, CueCount> cueSounds)
    : sampleRate(stemSounds[Base].sampleRate)
    , channels(stemSounds[Base].channels)
{
    // A sound already at the clip's rate and channels is taken as it is: the stems are megabytes each.
    const auto conform = [this](SoundData& sound)
    {
        return sound.sampleRate == sampleRate && sound.channels == channels ? std::move(sound)
                                                                            : conformed(sound, sampleRate, channels);
    };
    for (int stem = 0; stem < StemCount; ++stem)
        stems[stem] = conform(stemSounds[stem]);
    for (int cue = 0; cue < CueCount; ++cue)
        cues[cue] = conform(cueSounds[cue]);
    cueStarts.fill(-1);
}

std::int64_t AudioMixdown::sampleAt(sf::Time at) const
{
    return std::max<std::int64_t>(0, std::llround(static_cast<double>(at.asMicroseconds()) * sampleRate / 1e6));
}

void AudioMixdown::frame(sf::Time at, const Volumes& volumes, const std::vector<Cue>& startedCues)
{
    const std::int64_t sample = sampleAt(at);
    mixTo(sample);
    for (int stem = 0; stem < StemCount; ++stem)
    {
        Gain& gain = gains[stem];
        const float target = gainOf(volumes[stem]);
        if (!started)
            gain = Gain{target, target, 0};
        else if (target != gain.to)
            gain = Gain{gain.at(sample), target, sample};
    }
    started = true;
    // Several starts of one sound in a frame are heard as one, as with the game's single voice per sound.
    for (const Cue cue : startedCues)
        cueStarts[cue] = sample;
}

void AudioMixdown::mixUntil(sf::Time at)
{
    mixTo(sampleAt(at));
}

void AudioMixdown::mixTo(std::int64_t end)
{
    if (end <= mixed)
        return;
    const std::size_t first = pending.size();
    pending.resize(first + static_cast<std::size_t>(end - mixed) * channels, 0.f);
    for (std::int64_t sample = mixed; sample < end; ++sample)
    {
        float* out = &pending[first + static_cast<std::size_t>(sample - mixed) * channels];
        for (int stem = 0; stem < StemCount; ++stem)
        {
            const SoundData& sound = stems[stem];
            if (static_cast<std::size_t>(sample) >= sound.frames())
                continue;
            const float gain = gains[stem].at(sample);
            const float* in = &sound.samples[static_cast<std::size_t>(sample) * channels];
            for (unsigned c = 0; c < channels; ++c)
                out[c] += gain * in[c];
        }
        for (int cue = 0; cue < CueCount; ++cue)
        {
            if (cueStarts[cue] < 0)
                continue;
            const auto index = static_cast<std::size_t>(sample - cueStarts[cue]);
            if (index >= cues[cue].frames())
                continue;
            const float* in = &cues[cue].samples[index * channels];
            for (unsigned c = 0; c < channels; ++c)
                out[c] += in[c];
        }
        for (unsigned c = 0; c < channels; ++c)
            out[c] = std::clamp(out[c], -1.f, 1.f);
    }
    mixed = end;
}
