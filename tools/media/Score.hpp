#pragma once

#include "Instrument.hpp"
#include "SourceText.hpp"

#include <map>
#include <string>
#include <vector>

// The music as a text score: instruments, and tracks that play one instrument into one stem, bar by bar.
//
//   tempo 120            beats a minute
//   beats 4              beats a bar
//   bars 7
//   peak 0.84            loudest sample of all stems played together
//   fade_out 0.3         seconds of fade at the very end
//   stems base top bottom
//   instrument lead wave=pulse duty=0.25 gain=0.3 ...
//   track top lead echo=0.375 feedback=0.3 wet=0.25
//   | E5 . . G5 . . C6 . | C6 . B5 A5 - - E5 . |
//
// A bar is split evenly into as many steps as it has tokens (8 tokens: eighth notes, 16: sixteenths). A token is
// a note (C4, F#3, Bb5), a chord (C4+E4+G4), x or X (a soft or full hit at the instrument's own pitch),
// '.' (the note before goes on) or '-' (silence).
class Score
{
public:
    explicit Score(const SourceText& source);

    long totalSamples() const { return bars * barSamples(); }
    const std::vector<std::string>& stemNames() const { return stems; }

    // Every stem, all of the same length, scaled together so that their sum peaks at `peak`.
    std::map<std::string, std::vector<float>> render() const;

private:
    struct Event
    {
        long start = 0;
        long held = 0;
        std::vector<double> frequencies; // empty: the instrument's own pitch
        double velocity = 1;
    };
    struct Track
    {
        std::string stem;
        std::string instrument;
        double gain = 1;
        double echo = 0; // seconds, 0: none
        double feedback = 0.3;
        double wet = 0.3;
        std::vector<Event> events;
        int bars = 0;
    };

    long barSamples() const;
    void readBars(const SourceText& source, const SourceLine& line, Track& track);

    double tempo = 120;
    int beats = 4;
    long bars = 0;
    double peak = 0.84;
    double fadeOut = 0.3;
    std::vector<std::string> stems;
    std::map<std::string, Instrument> instruments;
    std::vector<Track> tracks;
};

// A note name such as C4, F#3 or Bb5 as a frequency (A4 = 440 Hz); negative when the word is not a note.
double frequencyOf(const std::string& name);
