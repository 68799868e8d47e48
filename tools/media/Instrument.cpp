#include "Instrument.hpp"

#include "SeededRandom.hpp"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double Pi = 3.14159265358979323846;

// PolyBLEP: smooths the jump of a saw or square over one sample, which removes most of the aliasing.
double polyBlep(double phase, double step)
{
    if (phase < step)
    {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step)
    {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// A state-variable filter (topology-preserving form) that gives low, band and high pass at once.
struct Filter
{
    double ic1 = 0, ic2 = 0;
    double low = 0, bandOut = 0, high = 0;

    void run(double input, double cutoff, double q)
    {
        cutoff = std::min(cutoff, SAMPLE_RATE * 0.45);
        const double g = std::tan(Pi * cutoff / SAMPLE_RATE);
        const double k = 1.0 / q;
        const double a1 = 1.0 / (1.0 + g * (g + k));
        const double a2 = g * a1;
        const double a3 = g * a2;
        const double v3 = input - ic2;
        const double v1 = a1 * ic1 + a2 * v3;
        const double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2 * v1 - ic1;
        ic2 = 2 * v2 - ic2;
        low = v2;
        bandOut = v1;
        high = input - k * v1 - v2;
    }
};

} // namespace

Instrument::Instrument(const SourceText& source, const SourceLine& line, const std::vector<Setting>& settings)
{
    for (const Setting& setting : settings)
    {
        const std::string& key = setting.key;
        if (key == "wave")
        {
            const std::string& name = setting.value;
            if (name == "sine")
                wave = Wave::Sine;
            else if (name == "triangle")
                wave = Wave::Triangle;
            else if (name == "square")
                wave = Wave::Square;
            else if (name == "pulse")
                wave = Wave::Pulse;
            else if (name == "saw")
                wave = Wave::Saw;
            else if (name == "noise")
                wave = Wave::Noise;
            else if (name == "kick")
                wave = Wave::Kick;
            else
                source.fail(line, "unknown wave '" + name + "'");
            continue;
        }
        const double value = source.number(line, setting.value);
        struct Field
        {
            const char* name;
            double* field;
        };
        const Field fields[] = {{"gain", &gain},
                                {"attack", &attack},
                                {"decay", &decay},
                                {"sustain", &sustain},
                                {"release", &release},
                                {"pitch", &pitch},
                                {"glide", &glide},
                                {"glide_time", &glideTime},
                                {"duty", &duty},
                                {"detune", &detune},
                                {"vibrato", &vibrato},
                                {"vibrato_rate", &vibratoRate},
                                {"vibrato_delay", &vibratoDelay},
                                {"lowpass", &lowpass},
                                {"highpass", &highpass},
                                {"band", &band},
                                {"band_glide", &bandGlide},
                                {"resonance", &resonance},
                                {"click", &click}};
        const auto found =
            std::find_if(std::begin(fields), std::end(fields), [&](const Field& f) { return key == f.name; });
        if (found == std::end(fields))
        {
            source.fail(line, "unknown setting '" + key + "'");
        }
        *found->field = value;
    }
    if (attack < 0 || decay <= 0 || release <= 0 || sustain < 0 || sustain > 1 || resonance <= 0 || glide <= 0 ||
        bandGlide <= 0 || duty <= 0 || duty >= 1)
    {
        source.fail(line, "times must be positive, sustain 0 to 1, duty between 0 and 1");
    }
}

long Instrument::lengthOf(const Note& note) const
{
    return note.held + static_cast<long>(std::ceil(release * SAMPLE_RATE));
}

double Instrument::envelope(double t, double heldFor) const
{
    auto level = [&](double at)
    {
        if (at < attack)
        {
            return at / attack;
        }
        // Decay falls towards the sustain level; after `decay` seconds less than 1 % of the fall is left.
        return sustain + (1.0 - sustain) * std::exp(-(at - attack) * 5.0 / decay);
    };
    if (t < heldFor)
    {
        return level(t);
    }
    const double r = (t - heldFor) / release;
    if (r >= 1)
    {
        return 0;
    }
    // A squared fall reaches zero with zero slope, so the note ends without a tick.
    return level(heldFor) * (1 - r) * (1 - r);
}

void Instrument::play(const Note& note, std::vector<float>& out) const
{
    const double base = note.frequency > 0 ? note.frequency : pitch;
    const double heldFor = static_cast<double>(note.held) / SAMPLE_RATE;
    const double slideTime = glideTime > 0 ? glideTime : std::max(heldFor, 1e-3);
    const long length = lengthOf(note);
    SeededRandom random(note.seed);
    Filter lowFilter, highFilter, bandFilter;
    double phase = 0, phase2 = 0;
    const double detuneRatio = std::pow(2.0, detune / 1200.0);

    auto shape = [&](double p, double step)
    {
        switch (wave)
        {
            case Wave::Sine:
            case Wave::Kick:
                return std::sin(2 * Pi * p);
            case Wave::Triangle:
                return 4.0 * std::abs(p - 0.5) - 1.0;
            case Wave::Saw:
                return 2.0 * p - 1.0 - polyBlep(p, step);
            case Wave::Square:
            {
                const double flipped = std::fmod(p + 0.5, 1.0);
                return (p < 0.5 ? 1.0 : -1.0) + polyBlep(p, step) - polyBlep(flipped, step);
            }
            case Wave::Pulse:
            {
                const double shifted = std::fmod(p + 1.0 - duty, 1.0);
                // Centred so that a narrow pulse carries no offset.
                return (p < duty ? 1.0 : -1.0) + polyBlep(p, step) - polyBlep(shifted, step) - (2.0 * duty - 1.0);
            }
            case Wave::Noise:
                return 0.0;
        }
        return 0.0;
    };

    for (long i = 0; i < length; ++i)
    {
        const long at = note.start + i;
        if (at >= static_cast<long>(out.size()))
        {
            break;
        }
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        const double slide = std::min(t / slideTime, 1.0);
        double frequency = base * std::pow(glide, slide);
        if (vibrato > 0 && t > vibratoDelay)
        {
            const double fadeIn = std::min((t - vibratoDelay) / 0.2, 1.0);
            frequency *= std::pow(2.0, vibrato * fadeIn * std::sin(2 * Pi * vibratoRate * t) / 1200.0);
        }
        const double step = frequency / SAMPLE_RATE;

        double sample;
        if (wave == Wave::Noise)
        {
            sample = random.between(-1.0, 1.0);
        }
        else
        {
            sample = shape(phase, step);
            if (detune != 0)
            {
                sample = 0.5 * (sample + shape(phase2, step * detuneRatio));
            }
        }
        phase += step;
        phase -= std::floor(phase);
        phase2 += step * detuneRatio;
        phase2 -= std::floor(phase2);

        if (band > 0)
        {
            bandFilter.run(sample, band * std::pow(bandGlide, slide), resonance);
            sample = bandFilter.bandOut;
        }
        if (lowpass > 0)
        {
            lowFilter.run(sample, lowpass, resonance);
            sample = lowFilter.low;
        }
        if (highpass > 0)
        {
            highFilter.run(sample, highpass, 0.707);
            sample = highFilter.high;
        }
        if (click > 0 && t < 0.0015)
        {
            // A tick that dies within a millisecond and a half marks the exact start of a drum hit.
            sample += click * random.between(-1.0, 1.0) * (1.0 - t / 0.0015);
        }
        out[static_cast<std::size_t>(at)] += static_cast<float>(sample * envelope(t, heldFor) * gain * note.velocity);
    }
}
