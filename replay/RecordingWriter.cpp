#include "replay/RecordingWriter.hpp"

#include "replay/EventText.hpp"
#include "replay/Recording.hpp"

#include <cstdio>
#include <utility>

RecordingWriter::RecordingWriter(std::ostream& output, std::uint32_t seed, const RoundOptions& options)
    : RecordingWriter(std::vector<std::ostream*>{&output}, seed, options)
{
}

RecordingWriter::RecordingWriter(std::vector<std::ostream*> outputs, std::uint32_t seed, const RoundOptions& options)
    : outs(std::move(outputs))
{
    for (std::ostream* out : outs)
        *out << RecordingHeader << '\n'
             << "seed " << seed << '\n'
             << "controls " << controlsText(options.controls) << '\n'
             << "offset " << options.audioOffset.asMicroseconds() << '\n';
    words.reserve(512);
}

void RecordingWriter::line(const std::string& start)
{
    for (std::ostream* out : outs)
        *out << start << words << '\n';
    words.clear();
}

void RecordingWriter::word(const std::string& text)
{
    words += ' ';
    words += text;
}

void RecordingWriter::number(long long value)
{
    words += std::to_string(value);
}

void RecordingWriter::real(float value)
{
    // Nine significant digits bring every float back to the same bits.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    words += buffer;
}

void RecordingWriter::time(sf::Time now)
{
    words += " t=";
    number(now.asMicroseconds());
}

void RecordingWriter::stemTime(char kind, Stem stem, sf::Time value)
{
    words += ' ';
    words += kind;
    words += ':';
    words += stemName(stem);
    words += '=';
    number(value.asMicroseconds());
}

void RecordingWriter::stemStatus(Stem stem, int status)
{
    words += " s:";
    words += stemName(stem);
    words += '=';
    number(status);
}

void RecordingWriter::stemVolumeRead(Stem stem, float volume)
{
    words += " v:";
    words += stemName(stem);
    words += '=';
    real(volume);
}

void RecordingWriter::stemVolumeSet(Stem stem, float volume)
{
    words += " V:";
    words += stemName(stem);
    words += '=';
    real(volume);
}

void RecordingWriter::key(int code, bool down)
{
    words += " k:";
    number(code);
    words += down ? "=1" : "=0";
}

void RecordingWriter::pad(char question, unsigned pad, int detail, float answer)
{
    words += " j";
    words += question;
    words += ':';
    number(static_cast<int>(pad));
    if (detail >= 0)
    {
        words += ':';
        number(detail);
    }
    words += '=';
    if (question == 'a')
        real(answer);
    else
        number(static_cast<int>(answer));
}

void RecordingWriter::event(const sf::Event& polled)
{
    word(eventText(polled));
}

void RecordingWriter::sound(Cue cue)
{
    words += " S:";
    words += cueName(cue);
}

void RecordingWriter::endSetup()
{
    line("setup");
}

void RecordingWriter::endFrame(sf::Time frameTime, const StateDigest& digest)
{
    words += " # ";
    words += digestText(digest);
    line("f " + std::to_string(frameTime.asMicroseconds()));
    ++frames;
}

void RecordingWriter::end(const std::string& ending)
{
    words.clear();
    line("end " + ending);
    for (std::ostream* out : outs)
        out->flush();
}
