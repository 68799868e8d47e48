#pragma once

#include "SourceText.hpp"

#include <cstdint>
#include <string>
#include <vector>

constexpr int SAMPLE_RATE = 44100;

// One note for an instrument to play: where it starts, how long its key is held, its pitch and loudness.
struct Note
{
    long start = 0;         // first sample
    long held = 0;          // samples until the release begins
    double frequency = 0;   // Hz; 0 plays the instrument's own pitch
    double velocity = 1;    // 0 to 1
    std::uint64_t seed = 1; // for the noise waves
};

// A small subtractive synthesiser voice described by key=value words, for example
//   wave=pulse duty=0.25 gain=0.3 attack=0.004 decay=0.1 sustain=0.6 release=0.08 lowpass=3000 vibrato=12
// Waves: sine, triangle, square, pulse, saw (band-limited), noise, and kick (a sine that drops in pitch).
class Instrument
{
public:
    Instrument() = default;
    // Reads the settings of one source line.
    Instrument(const SourceText& source, const SourceLine& line, const std::vector<Setting>& settings);

    // Adds the note into out (samples past its end are dropped); the tail after the release is silent.
    void play(const Note& note, std::vector<float>& out) const;

    // How long the note sounds in all: held time plus release (plus the ring of percussive waves).
    long lengthOf(const Note& note) const;

private:
    enum class Wave
    {
        Sine,
        Triangle,
        Square,
        Pulse,
        Saw,
        Noise,
        Kick
    };

    double envelope(double t, double heldFor) const;

    Wave wave = Wave::Sine;
    double gain = 0.5;
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 1.0;
    double release = 0.05;
    double pitch = 440;       // Hz, for hits and sounds that have no note
    double glide = 1;         // the pitch ends at pitch * glide ...
    double glideTime = 0;     // ... after this many seconds (0: over the whole held time)
    double duty = 0.25;       // pulse width
    double detune = 0;        // cents of a second, detuned oscillator (0: none)
    double vibrato = 0;       // depth in cents
    double vibratoRate = 5.5; // Hz
    double vibratoDelay = 0.15;
    double lowpass = 0;  // Hz, 0: open
    double highpass = 0; // Hz, 0: open
    double band = 0;     // Hz centre of a band-pass, 0: none
    double bandGlide = 1;
    double resonance = 0.707;
    double click = 0; // loudness of a short tick at the very start (gives drums a sharp onset)
};
