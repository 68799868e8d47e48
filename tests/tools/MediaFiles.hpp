#pragma once

// Readers the media tests share: the generated files are read back the way the game reads them (through SFML),
// and the WAV header is read by hand only to see the sample format, which SFML does not report.

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Graphics/Image.hpp>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

struct WaveFormat
{
    int encoding = 0; // 1: integer PCM
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
};

inline std::uint32_t littleEndian(const unsigned char* bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
    {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// The "fmt " chunk of a RIFF WAVE file; all zero when there is none.
inline WaveFormat waveFormatOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WaveFormat format;
    if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF" ||
        std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE")
    {
        return format;
    }
    std::size_t at = 12;
    while (at + 8 <= bytes.size())
    {
        const std::string id(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at) + 4);
        const std::uint32_t size = littleEndian(&bytes[at + 4], 4);
        if (id == "fmt " && at + 8 + 16 <= bytes.size())
        {
            const unsigned char* fmt = &bytes[at + 8];
            format.encoding = static_cast<int>(littleEndian(fmt, 2));
            format.channels = static_cast<int>(littleEndian(fmt + 2, 2));
            format.sampleRate = static_cast<int>(littleEndian(fmt + 4, 4));
            format.bitsPerSample = static_cast<int>(littleEndian(fmt + 14, 2));
            return format;
        }
        at += 8 + size + (size & 1);
    }
    return format;
}

// A sound file as SFML decodes it, mixed down to one channel, in the range -1 to 1.
struct Sound
{
    bool opened = false;
    unsigned sampleRate = 0;
    unsigned channels = 0;
    std::vector<float> samples;

    double seconds() const { return sampleRate ? static_cast<double>(samples.size()) / sampleRate : 0; }
};

inline Sound readSound(const std::string& path)
{
    Sound sound;
    sf::InputSoundFile file;
    if (!file.openFromFile(path))
    {
        return sound;
    }
    sound.opened = true;
    sound.sampleRate = file.getSampleRate();
    sound.channels = file.getChannelCount();
    std::vector<sf::Int16> raw(static_cast<std::size_t>(file.getSampleCount()));
    raw.resize(static_cast<std::size_t>(file.read(raw.data(), raw.size())));
    const std::size_t frames = raw.size() / sound.channels;
    sound.samples.resize(frames);
    for (std::size_t i = 0; i < frames; ++i)
    {
        float sum = 0;
        for (unsigned c = 0; c < sound.channels; ++c)
        {
            sum += static_cast<float>(raw[i * sound.channels + c]) / 32768.0f;
        }
        sound.samples[i] = sum / static_cast<float>(sound.channels);
    }
    return sound;
}

inline float peakOf(const std::vector<float>& samples, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    float peak = 0;
    for (std::size_t i = from; i < samples.size() && i < to; ++i)
    {
        peak = std::max(peak, std::abs(samples[i]));
    }
    return peak;
}

inline double luminance(sf::Color c)
{
    return (0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b) / 255.0;
}
