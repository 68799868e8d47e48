#include "clip/SoundData.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>

SoundData loadSoundData(const std::string& path)
{
    sf::InputSoundFile file;
    if (!file.openFromFile(path))
        throw std::runtime_error("Cannot read the sound \"" + path + "\"");
    std::vector<sf::Int16> raw(static_cast<std::size_t>(file.getSampleCount()));
    raw.resize(static_cast<std::size_t>(file.read(raw.data(), raw.size())));
    SoundData sound;
    sound.sampleRate = file.getSampleRate();
    sound.channels = file.getChannelCount();
    sound.samples.reserve(raw.size());
    for (const sf::Int16 sample : raw)
        sound.samples.push_back(static_cast<float>(sample) / 32768.f);
    return sound;
}

SoundData conformed(const SoundData& sound, unsigned sampleRate, unsigned channels)
{
    // First the channels, at the sound's own rate.
    SoundData mixed;
    mixed.sampleRate = sound.sampleRate;
    mixed.channels = channels;
    const std::size_t frames = sound.frames();
    mixed.samples.resize(frames * channels);
    for (std::size_t i = 0; i < frames; ++i)
    {
        const float* in = &sound.samples[i * sound.channels];
        float* out = &mixed.samples[i * channels];
        if (sound.channels == channels)
            std::copy(in, in + channels, out);
        else if (sound.channels == 1)
            std::fill(out, out + channels, in[0]);
        else
        {
            float sum = 0.f;
            for (unsigned c = 0; c < sound.channels; ++c)
                sum += in[c];
            std::fill(out, out + channels, sum / static_cast<float>(sound.channels));
        }
    }
    if (sound.sampleRate == sampleRate || frames == 0)
    {
        mixed.sampleRate = sampleRate;
        return mixed;
    }

    // Then the rate.
    SoundData resampled;
    resampled.sampleRate = sampleRate;
    resampled.channels = channels;
    const double step = static_cast<double>(sound.sampleRate) / sampleRate;
    const auto outFrames = static_cast<std::size_t>(std::floor(static_cast<double>(frames - 1) / step)) + 1;
    resampled.samples.resize(outFrames * channels);
    for (std::size_t i = 0; i < outFrames; ++i)
    {
        const double position = static_cast<double>(i) * step;
        const auto before = std::min(static_cast<std::size_t>(position), frames - 1);
        const std::size_t after = std::min(before + 1, frames - 1);
        const auto weight = static_cast<float>(position - static_cast<double>(before));
        for (unsigned c = 0; c < channels; ++c)
            resampled.samples[i * channels + c] =
                mixed.samples[before * channels + c] * (1.f - weight) + mixed.samples[after * channels + c] * weight;
    }
    return resampled;
}
