#include "replay/Recording.hpp"

#include "input/Controls.hpp"
#include "replay/Channels.hpp"
#include "replay/EventText.hpp"
#include "replay/ReplayFormatError.hpp"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>

const char* const RecordingHeader = "brindlewick-replay 2";
const char* const FirstRecordingHeader = "brindlewick-replay 1";

namespace
{

std::vector<std::string> splitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < line.size())
    {
        const std::size_t space = line.find(' ', start);
        const std::size_t end = space == std::string::npos ? line.size() : space;
        if (end > start)
            words.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

bool parseWhole(const std::string& text, long long min, long long max, long long& value)
{
    if (text.empty() || text.size() > 20)
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0' && errno == 0 && value >= min && value <= max;
}

bool parseReal(const std::string& text)
{
    if (text.empty())
        return false;
    // Volumes are floats: one that a float cannot hold is damage, not a value to round.
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(text.c_str(), &end);
    return *end == '\0' && errno == 0 && std::isfinite(value);
}

bool isStemWord(const std::string& word)
{
    for (int i = 0; i < StemCount; ++i)
        if (word == stemName(static_cast<Stem>(i)))
            return true;
    return false;
}

bool isCueWord(const std::string& word)
{
    for (int i = 0; i < CueCount; ++i)
        if (word == cueName(static_cast<Cue>(i)))
            return true;
    return false;
}

constexpr long long MaxMicroseconds = 24LL * 3600 * 1000000;

} // namespace

// Each kind of token has a fixed shape, so a damaged word is caught where it is read rather than where it is used.
// To record one more kind of input, give it a letter here and an answer in the replay.
bool parseToken(const std::string& word, ReplayToken& token)
{
    if (word.compare(0, 2, "e:") == 0)
    {
        sf::Event event;
        token = ReplayToken{word, "", false};
        return parseEvent(word, event);
    }
    const std::size_t equals = word.find('=');
    token.key = word.substr(0, equals);
    token.hasValue = equals != std::string::npos;
    token.value = token.hasValue ? word.substr(equals + 1) : std::string();
    const std::size_t colon = token.key.find(':');
    const std::string kind = token.key.substr(0, colon);
    const std::string argument = colon == std::string::npos ? std::string() : token.key.substr(colon + 1);
    const bool oneArgument = colon != std::string::npos && argument.find(':') == std::string::npos;
    long long whole = 0;

    if (kind == "t")
        return colon == std::string::npos && token.hasValue &&
               parseWhole(token.value, -MaxMicroseconds, MaxMicroseconds, whole);
    if (kind == "o" || kind == "d" || kind == "l")
        return oneArgument && isStemWord(argument) && token.hasValue &&
               parseWhole(token.value, -MaxMicroseconds, MaxMicroseconds, whole);
    if (kind == "s")
        return oneArgument && isStemWord(argument) && token.hasValue && parseWhole(token.value, 0, 2, whole);
    if (kind == "v" || kind == "V")
        return oneArgument && isStemWord(argument) && token.hasValue && parseReal(token.value);
    if (kind == "k")
        return oneArgument && parseWhole(argument, sf::Keyboard::Unknown, sf::Keyboard::KeyCount - 1, whole) &&
               token.hasValue && parseWhole(token.value, 0, 1, whole);
    if (kind == "S")
        return oneArgument && isCueWord(argument) && !token.hasValue;
    if (kind == "jc" || kind == "jn")
        return oneArgument && parseWhole(argument, 0, sf::Joystick::Count - 1, whole) && token.hasValue &&
               parseWhole(token.value, 0, kind == "jc" ? 1 : sf::Joystick::ButtonCount, whole);
    if (kind == "jb" || kind == "ja")
    {
        const std::size_t second = argument.find(':');
        long long detail = 0;
        return colon != std::string::npos && second != std::string::npos &&
               parseWhole(argument.substr(0, second), 0, sf::Joystick::Count - 1, whole) &&
               parseWhole(argument.substr(second + 1), 0,
                          kind == "jb" ? sf::Joystick::ButtonCount - 1 : sf::Joystick::AxisCount - 1, detail) &&
               token.hasValue && (kind == "jb" ? parseWhole(token.value, 0, 1, whole) : parseReal(token.value));
    }
    return false;
}

Recording readRecording(std::istream& in, const std::string& name)
{
    Recording recording;
    std::string line;
    std::size_t number = 0;
    bool sawSeed = false;
    bool sawControls = false;
    bool sawOffset = false;
    bool sawSetup = false;

    const auto fail = [&](const std::string& what) { throw ReplayFormatError(name, number, what); };

    while (std::getline(in, line))
    {
        ++number;
        // A last line without its newline was being written when the game stopped: it is left out.
        if (in.eof())
        {
            if (number == 1)
                fail("not a Brindlewick recording (it is cut short before its first line ends)");
            if (!sawSetup)
                fail("the recording is cut short before its first frame");
            recording.stoppedAtLine = number;
            return recording;
        }
        if (number == 1)
        {
            if (line != RecordingHeader && line != FirstRecordingHeader)
            {
                if (line.compare(0, 19, "brindlewick-replay ") == 0)
                    fail("a recording of another format version (\"" + line.substr(0, 40) + "\"); this build reads \"" +
                         FirstRecordingHeader + "\" and \"" + RecordingHeader + "\"");
                fail("not a Brindlewick recording: the first line must be \"" + std::string(RecordingHeader) + "\"");
            }
            continue;
        }
        if (!recording.ending.empty())
            fail("a line after the end of the recording");

        const std::vector<std::string> words = splitWords(line);
        if (words.empty())
            fail("an empty line");
        const std::string& kind = words[0];
        if (kind == "seed")
        {
            long long seed = 0;
            if (sawSeed || words.size() != 2 || !parseWhole(words[1], 0, 4294967295LL, seed))
                fail("a damaged seed line");
            recording.seed = static_cast<std::uint32_t>(seed);
            sawSeed = true;
        }
        else if (kind == "controls")
        {
            // One line of words, as controlsText writes them.
            const std::size_t start = line.find(' ');
            if (!sawSeed || sawSetup || sawControls ||
                !parseControls(start == std::string::npos ? std::string() : line.substr(start + 1),
                               recording.options.controls))
                fail("a damaged controls line");
            sawControls = true;
        }
        else if (kind == "offset")
        {
            long long microseconds = 0;
            if (!sawSeed || sawSetup || sawOffset || words.size() != 2 ||
                !parseWhole(words[1], -MaxMicroseconds, MaxMicroseconds, microseconds))
                fail("a damaged offset line");
            recording.options.audioOffset = sf::microseconds(microseconds);
            sawOffset = true;
        }
        else if (kind == "setup")
        {
            if (!sawSeed || sawSetup)
                fail("the setup line must follow the seed, once");
            for (std::size_t i = 1; i < words.size(); ++i)
            {
                ReplayToken token;
                if (!parseToken(words[i], token))
                    fail("a damaged word \"" + words[i].substr(0, 40) + "\"");
                recording.setup.push_back(token);
            }
            sawSetup = true;
        }
        else if (kind == "f")
        {
            if (!sawSetup)
                fail("a frame before the setup line");
            RecordedFrame frame;
            frame.line = number;
            long long microseconds = 0;
            if (words.size() < 2 + 1 + 1 + StateDigest::PartCount ||
                !parseWhole(words[1], 0, MaxMicroseconds, microseconds))
                fail("a damaged frame line");
            frame.frameTime = sf::microseconds(microseconds);
            const std::size_t hash = words.size() - 2 - StateDigest::PartCount;
            if (words[hash] != "#")
                fail("a frame line without its digest");
            for (std::size_t i = 2; i < hash; ++i)
            {
                ReplayToken token;
                if (!parseToken(words[i], token))
                    fail("a damaged word \"" + words[i].substr(0, 40) + "\"");
                if (!token.hasValue && token.key.compare(0, 2, "e:") == 0)
                {
                    sf::Event event;
                    parseEvent(token.key, event);
                    frame.events.push_back(event);
                }
                frame.tokens.push_back(std::move(token));
            }
            std::array<std::string, StateDigest::PartCount> parts;
            for (std::size_t i = 0; i < parts.size(); ++i)
                parts[i] = words[hash + 2 + i];
            if (!parseDigest(words[hash + 1], parts, frame.digest))
                fail("a damaged digest");
            recording.frames.push_back(std::move(frame));
        }
        else if (kind == "end")
        {
            if (!sawSetup || words.size() != 2 ||
                (words[1] != "closed" && words[1] != "music" && words[1] != "stopped"))
                fail("a damaged end line");
            recording.ending = words[1];
        }
        else
        {
            fail("a line of unknown kind \"" + kind.substr(0, 20) + "\"");
        }
    }
    if (number == 0)
        throw ReplayFormatError(name, 1, "an empty file, not a Brindlewick recording");
    if (!sawSetup && recording.ending.empty())
        throw ReplayFormatError(name, number + 1, "the recording ends before its first frame");
    if (recording.ending.empty())
        recording.stoppedAtLine = number + 1;
    return recording;
}
