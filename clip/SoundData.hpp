#pragma once

#include <string>
#include <vector>

// A whole decoded sound: interleaved float samples in -1..1.
struct SoundData
{
    std::vector<float> samples;
    unsigned sampleRate = 44100;
    unsigned channels = 1;

    std::size_t frames() const { return channels == 0 ? 0 : samples.size() / channels; }
};

// Decodes a sound file through SFML, which needs no audio device. Throws std::runtime_error naming the file.
SoundData loadSoundData(const std::string& path);

// The same sound at another rate (linear interpolation) and channel count (a mono sound goes to every channel,
// more channels are averaged down to one).
SoundData conformed(const SoundData& sound, unsigned sampleRate, unsigned channels);
