#pragma once

#include "replay/Channels.hpp"
#include "replay/StateDigest.hpp"

#include <SFML/System/Time.hpp>
#include <SFML/Window/Event.hpp>

#include <cstdint>
#include <ostream>
#include <string>

// Writes a recording line by line. The words of a line are gathered in memory and the line goes to the stream only
// when it is whole, so a game stopped at any point leaves whole lines behind it (at most the last one unfinished).
// The stream does the buffering; a frame costs a few appends.
class RecordingWriter
{
public:
    // Writes the header and the seed.
    RecordingWriter(std::ostream& out, std::uint32_t seed);

    // What came in or went out, in the order it happened.
    void time(sf::Time now);
    void stemTime(char kind, Stem stem, sf::Time value); // 'o' offset, 'd' duration, 'l' output latency
    void stemStatus(Stem stem, int status);
    void stemVolumeRead(Stem stem, float volume);
    void stemVolumeSet(Stem stem, float volume);
    void key(int code, bool down);
    void event(const sf::Event& event);
    void sound(Cue cue);

    // The words so far make the setup line (before the first frame).
    void endSetup();
    // The words since the last line make this frame's line.
    void endFrame(sf::Time frameTime, const StateDigest& digest);
    // The last line: "closed", "music" or "stopped". Flushes the stream.
    void end(const std::string& ending);

    std::size_t getFrameCount() const { return frames; }

private:
    void word(const std::string& text);
    void number(long long value);
    void real(float value);

    std::ostream* out;
    std::string words;
    std::size_t frames = 0;
};
