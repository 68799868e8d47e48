#pragma once

#include "game/RoundOptions.hpp"
#include "replay/Channels.hpp"
#include "replay/StateDigest.hpp"

#include <SFML/System/Time.hpp>
#include <SFML/Window/Event.hpp>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// Writes a recording line by line. The words of a line are gathered in memory and the line goes to the stream only
// when it is whole, so a game stopped at any point leaves whole lines behind it (at most the last one unfinished).
// The streams do the buffering; a frame costs a few appends and one write a stream.
class RecordingWriter
{
public:
    // Writes the header, the seed and what the game plays by (its controls and audio offset), to one stream or to
    // each of several (the player's file and the kept game).
    RecordingWriter(std::ostream& out, std::uint32_t seed, const RoundOptions& options = RoundOptions());
    RecordingWriter(std::vector<std::ostream*> outs, std::uint32_t seed, const RoundOptions& options = RoundOptions());

    // What came in or went out, in the order it happened.
    void time(sf::Time now);
    void stemTime(char kind, Stem stem, sf::Time value); // 'o' offset, 'd' duration, 'l' output latency
    void stemStatus(Stem stem, int status);
    void stemVolumeRead(Stem stem, float volume);
    void stemVolumeSet(Stem stem, float volume);
    void key(int code, bool down);
    // A pad question: 'c' connected, 'n' button count, 'b' button held (`detail` the button), 'a' axis position
    // (`detail` the axis); `detail` is -1 for the questions about the pad as a whole.
    void pad(char question, unsigned pad, int detail, float answer);
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
    void line(const std::string& start);

    std::vector<std::ostream*> outs;
    std::string words;
    std::size_t frames = 0;
};
