#include "WaveFile.hpp"

#include "Instrument.hpp"

#include <SFML/Audio/OutputSoundFile.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>

void writeWave(const std::string& path, const std::vector<float>& samples)
{
    std::vector<sf::Int16> pcm(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
    {
        const double clamped = std::max(-1.0, std::min(1.0, static_cast<double>(samples[i])));
        pcm[i] = static_cast<sf::Int16>(std::lround(clamped * 32767.0));
    }
    sf::OutputSoundFile file;
    if (!file.openFromFile(path, SAMPLE_RATE, 1))
    {
        throw std::runtime_error(path + ": cannot be written");
    }
    file.write(pcm.data(), pcm.size());
}

float peakOf(const std::vector<float>& samples)
{
    float peak = 0;
    for (float s : samples)
    {
        peak = std::max(peak, std::abs(s));
    }
    return peak;
}

void fadeEnds(std::vector<float>& samples, double fadeIn, double fadeOut)
{
    const double pi = 3.14159265358979323846;
    const auto size = static_cast<long>(samples.size());
    const long in = std::min(size, static_cast<long>(fadeIn * SAMPLE_RATE));
    const long out = std::min(size, static_cast<long>(fadeOut * SAMPLE_RATE));
    for (long i = 0; i < in; ++i)
    {
        samples[static_cast<std::size_t>(i)] *=
            static_cast<float>(0.5 - 0.5 * std::cos(pi * static_cast<double>(i) / static_cast<double>(in)));
    }
    for (long i = 0; i < out; ++i)
    {
        // i counts back from the last sample, which ends at exactly zero.
        samples[static_cast<std::size_t>(size - 1 - i)] *=
            static_cast<float>(0.5 - 0.5 * std::cos(pi * static_cast<double>(i) / static_cast<double>(out)));
    }
}
