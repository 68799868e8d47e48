#pragma once

#include "game/RoundOptions.hpp"
#include "replay/StateDigest.hpp"

#include <SFML/System/Time.hpp>
#include <SFML/Window/Event.hpp>

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

// One thing that came into the game or went out of it, as a recording writes it: a key ("t", "o:base", "k:36",
// "V:top", "S:dash", "e:keydown:...") and, for a value read or set, the value ("16000", "100").
struct ReplayToken
{
    std::string key;
    std::string value;
    bool hasValue = false;
};

// One frame of a recording: its frame time, everything read and done in it in order, the events it polled and the
// digest of the state after it.
struct RecordedFrame
{
    std::size_t line = 0;
    sf::Time frameTime;
    std::vector<ReplayToken> tokens;
    std::vector<sf::Event> events;
    StateDigest digest;
};

// A whole recording as read back. `ending` is what ended the game ("closed", "music" or "stopped"); it is empty when
// the file was cut short, and then `stoppedAtLine` is the first line that was missing or incomplete.
struct Recording
{
    std::uint32_t seed = 0;
    // The controls and the audio offset the game played by; a recording of the first version played by the defaults.
    RoundOptions options;
    std::vector<ReplayToken> setup; // what the game read while it set itself up, before its first frame
    std::vector<RecordedFrame> frames;
    std::string ending;
    std::size_t stoppedAtLine = 0;

    bool isCutShort() const { return ending.empty(); }
};

// The first line of every recording: the format's name and its version; and the first version's, which is still read.
extern const char* const RecordingHeader;
extern const char* const FirstRecordingHeader;

// Reads a recording. `name` names the source in messages. Throws ReplayFormatError naming the line for another
// format or version, or a damaged line; a recording cut short (a last line without its end, or no end line) is not
// an error: what is there is returned, and isCutShort() tells.
Recording readRecording(std::istream& in, const std::string& name);

// Reads one "key" or "key=value" word; false when it is not one.
bool parseToken(const std::string& word, ReplayToken& token);
