#include "SoundRecipe.hpp"

#include "WaveFile.hpp"

#include <cmath>

SoundRecipe::SoundRecipe(const SourceText& source)
{
    for (const SourceLine& line : source.lines())
    {
        if (SourceText::isBlank(line) || SourceText::isComment(line))
        {
            continue;
        }
        const std::string& key = line.words[0];
        if (key == "layer")
        {
            Layer layer;
            std::vector<Setting> voice;
            double start = 0, duration = -1;
            for (const Setting& setting : settingsOf(source, line, 1))
            {
                if (setting.key == "start")
                    start = source.number(line, setting.value);
                else if (setting.key == "duration")
                    duration = source.number(line, setting.value);
                else
                    voice.push_back(setting);
            }
            if (duration <= 0 || start < 0)
            {
                source.fail(line, "a layer needs duration= (seconds, held before its release) and start= >= 0");
            }
            layer.instrument = Instrument(source, line, voice);
            layer.note.start = std::lround(start * SAMPLE_RATE);
            layer.note.held = std::lround(duration * SAMPLE_RATE);
            layer.note.seed = 0x5EED0000u + static_cast<unsigned>(line.number);
            layers.push_back(layer);
        }
        else if (line.words.size() == 2 && (key == "length" || key == "peak" || key == "fade"))
        {
            const double value = source.number(line, line.words[1]);
            (key == "length" ? length : key == "peak" ? peak : fade) = value;
        }
        else
        {
            source.fail(line, "expected length, peak, fade or layer");
        }
    }
    if (length <= 0 || layers.empty() || peak <= 0 || peak >= 1)
    {
        source.fail("a sound needs a length, a peak below 1 and at least one layer");
    }
}

std::vector<float> SoundRecipe::render() const
{
    std::vector<float> samples(static_cast<std::size_t>(std::lround(length * SAMPLE_RATE)), 0.0f);
    for (const Layer& layer : layers)
    {
        layer.instrument.play(layer.note, samples);
    }
    const float loudest = peakOf(samples);
    if (loudest > 0)
    {
        for (float& s : samples)
        {
            s *= static_cast<float>(peak) / loudest;
        }
    }
    fadeEnds(samples, fade, fade);
    return samples;
}
