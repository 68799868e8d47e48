#pragma once

#include "clip/SoundData.hpp"

#include <SFML/System/Time.hpp>

#include <array>
#include <cstdint>
#include <vector>

// The game's sound played back without an audio device: the three stems at the volumes the game set, frame by
// frame, and the short sounds from the moments the game started them. Everything is timed on the base stem's
// clock, which is also the clock of the stems' own samples, since they start on the same sample.
class AudioMixdown
{
public:
    enum Stem
    {
        Base,
        Top,
        Bottom,
        StemCount
    };
    enum Cue
    {
        Dash,
        Zoop,
        Blow,
        CueCount
    };

    // Volumes 0..100 as the game sets them on its stems.
    using Volumes = std::array<float, StemCount>;

    // Sounds of another rate or channel count are conformed to the first stem's. A missing stem is an empty one.
    AudioMixdown(std::array<SoundData, StemCount> stems, std::array<SoundData, CueCount> cues);

    unsigned getSampleRate() const { return sampleRate; }
    unsigned getChannels() const { return channels; }

    // One game frame's sound at the base stem's clock `at`: the volumes it set and the sounds it started.
    // Everything before `at` is mixed first with what was set before; the first call sets the volumes from
    // the clip's start, later ones ramp to them over a moment, so that a step of volume does not click.
    // Starting a sound that is still playing starts it again from its beginning, as a game's sound does.
    void frame(sf::Time at, const Volumes& volumes, const std::vector<Cue>& started);

    // Mixes everything up to `at` into the pending samples.
    void mixUntil(sf::Time at);

    // The mixed samples not yet handed on, interleaved.
    const std::vector<float>& getPending() const { return pending; }
    void clearPending() { pending.clear(); }

    // The sample index of a clock time, rounded to the nearest sample.
    std::int64_t sampleAt(sf::Time at) const;

    // A volume change takes this many samples to arrive.
    static constexpr std::int64_t RampSamples = 64;

private:
    struct Gain
    {
        float from = 0.f;
        float to = 0.f;
        std::int64_t rampStart = 0;

        float at(std::int64_t sample) const;
    };

    void mixTo(std::int64_t end);

    unsigned sampleRate;
    unsigned channels;
    std::array<SoundData, StemCount> stems;
    std::array<SoundData, CueCount> cues;
    std::array<Gain, StemCount> gains;
    // Where each short sound was last started; negative while it has not been.
    std::array<std::int64_t, CueCount> cueStarts;
    std::int64_t mixed = 0;
    bool started = false;
    std::vector<float> pending;
};
