#include "Score.hpp"

#include "WaveFile.hpp"

#include <algorithm>
#include <cmath>
#include <sstream>

double frequencyOf(const std::string& name)
{
    static const int semitones[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G from C
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
    {
        return -1;
    }
    int semitone = semitones[name[0] - 'A'];
    std::size_t at = 1;
    if (name[at] == '#' || name[at] == 'b')
    {
        semitone += name[at] == '#' ? 1 : -1;
        ++at;
    }
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '8')
    {
        return -1;
    }
    const int midi = 12 * (name[at] - '0' + 1) + semitone;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

Score::Score(const SourceText& source)
{
    Track* current = nullptr;
    for (const SourceLine& line : source.lines())
    {
        if (SourceText::isBlank(line) || SourceText::isComment(line))
        {
            continue;
        }
        const std::string& key = line.words[0];
        if (key[0] == '|')
        {
            if (!current)
            {
                source.fail(line, "bars before any track");
            }
            readBars(source, line, *current);
            continue;
        }
        current = nullptr;
        if (key == "tempo" && line.words.size() == 2)
            tempo = source.number(line, line.words[1]);
        else if (key == "beats" && line.words.size() == 2)
            beats = source.whole(line, line.words[1]);
        else if (key == "bars" && line.words.size() == 2)
            bars = source.whole(line, line.words[1]);
        else if (key == "peak" && line.words.size() == 2)
            peak = source.number(line, line.words[1]);
        else if (key == "fade_out" && line.words.size() == 2)
            fadeOut = source.number(line, line.words[1]);
        else if (key == "stems" && line.words.size() >= 2)
            stems.assign(line.words.begin() + 1, line.words.end());
        else if (key == "instrument" && line.words.size() >= 2)
            instruments[line.words[1]] = Instrument(source, line, settingsOf(source, line, 2));
        else if (key == "track" && line.words.size() >= 3)
        {
            Track track;
            track.stem = line.words[1];
            track.instrument = line.words[2];
            if (std::find(stems.begin(), stems.end(), track.stem) == stems.end())
            {
                source.fail(line, "stem '" + track.stem + "' is not in the stems line");
            }
            if (instruments.find(track.instrument) == instruments.end())
            {
                source.fail(line, "instrument '" + track.instrument + "' is not defined above");
            }
            for (const Setting& setting : settingsOf(source, line, 3))
            {
                const double value = source.number(line, setting.value);
                if (setting.key == "gain")
                    track.gain = value;
                else if (setting.key == "echo")
                    track.echo = value;
                else if (setting.key == "feedback")
                    track.feedback = value;
                else if (setting.key == "wet")
                    track.wet = value;
                else
                    source.fail(line, "a track takes gain=, echo=, feedback= and wet=");
            }
            tracks.push_back(track);
            current = &tracks.back();
        }
        else
        {
            source.fail(line, "expected tempo, beats, bars, peak, fade_out, stems, instrument, track or | bars |");
        }
    }
    if (tempo <= 0 || beats <= 0 || bars <= 0 || stems.empty() || peak <= 0 || peak >= 1)
    {
        source.fail("the score needs a tempo, beats, bars, stems and a peak below 1");
    }
    for (const Track& track : tracks)
    {
        if (track.bars != bars)
        {
            source.fail("a track of stem '" + track.stem + "' with '" + track.instrument + "' has " +
                        std::to_string(track.bars) + " bars, not " + std::to_string(bars));
        }
    }
}

long Score::barSamples() const
{
    const double exact = beats * 60.0 / tempo * SAMPLE_RATE;
    return std::lround(exact);
}

void Score::readBars(const SourceText& source, const SourceLine& line, Track& track)
{
    // Split the line at '|' into bars; the text between two bars is one bar's tokens.
    std::vector<std::vector<std::string>> lineBars;
    std::string text = line.text;
    std::size_t from = text.find('|');
    while (from != std::string::npos)
    {
        const std::size_t to = text.find('|', from + 1);
        if (to == std::string::npos)
        {
            if (text.find_first_not_of(" \t", from + 1) != std::string::npos)
            {
                source.fail(line, "a line of bars ends with '|'");
            }
            break;
        }
        std::istringstream words(text.substr(from + 1, to - from - 1));
        std::vector<std::string> tokens;
        for (std::string word; words >> word;)
        {
            tokens.push_back(word);
        }
        if (tokens.empty())
        {
            source.fail(line, "an empty bar");
        }
        lineBars.push_back(tokens);
        from = to;
    }

    const long bar = barSamples();
    for (const auto& tokens : lineBars)
    {
        const long barStart = track.bars * bar;
        const auto steps = static_cast<long>(tokens.size());
        for (long i = 0; i < steps; ++i)
        {
            // Rounded to the nearest sample; beats always land exactly, since a bar is a whole number of samples.
            const long stepStart = barStart + (2 * bar * i + steps) / (2 * steps);
            const long stepEnd = barStart + (2 * bar * (i + 1) + steps) / (2 * steps);
            const std::string& token = tokens[static_cast<std::size_t>(i)];
            if (token == ".")
            {
                if (!track.events.empty() && track.events.back().start + track.events.back().held == stepStart)
                {
                    track.events.back().held = stepEnd - track.events.back().start;
                }
                continue;
            }
            if (token == "-")
            {
                continue;
            }
            Event event;
            event.start = stepStart;
            event.held = stepEnd - stepStart;
            if (token == "x" || token == "X")
            {
                event.velocity = token == "X" ? 1.0 : 0.6;
            }
            else
            {
                std::istringstream parts(token);
                for (std::string part; std::getline(parts, part, '+');)
                {
                    const double frequency = frequencyOf(part);
                    if (frequency < 0)
                    {
                        source.fail(line, "'" + token + "' is not a note, a chord, x, X, '.' or '-'");
                    }
                    event.frequencies.push_back(frequency);
                }
            }
            track.events.push_back(event);
        }
        ++track.bars;
    }
}

std::map<std::string, std::vector<float>> Score::render() const
{
    const auto total = static_cast<std::size_t>(totalSamples());
    std::map<std::string, std::vector<float>> out;
    for (const std::string& stem : stems)
    {
        out[stem].assign(total, 0.0f);
    }
    std::uint64_t seed = 20261208;
    for (const Track& track : tracks)
    {
        const Instrument& instrument = instruments.at(track.instrument);
        std::vector<float> dry(total, 0.0f);
        for (const Event& event : track.events)
        {
            Note note;
            note.start = event.start;
            note.held = event.held;
            note.velocity = event.velocity;
            if (event.frequencies.empty())
            {
                note.seed = ++seed;
                instrument.play(note, dry);
            }
            for (double frequency : event.frequencies)
            {
                note.frequency = frequency;
                note.seed = ++seed;
                instrument.play(note, dry);
            }
        }
        std::vector<float>& stem = out[track.stem];
        const auto delay = static_cast<std::size_t>(std::lround(track.echo * SAMPLE_RATE));
        std::vector<float> echoes(total, 0.0f);
        if (delay > 0)
        {
            for (std::size_t i = delay; i < total; ++i)
            {
                echoes[i] = dry[i - delay] + static_cast<float>(track.feedback) * echoes[i - delay];
            }
        }
        for (std::size_t i = 0; i < total; ++i)
        {
            stem[i] += static_cast<float>(track.gain) * (dry[i] + static_cast<float>(track.wet) * echoes[i]);
        }
    }
    // One common scale keeps the balance between the stems as written.
    std::vector<float> sum(total, 0.0f);
    for (const auto& stem : out)
    {
        for (std::size_t i = 0; i < total; ++i)
        {
            sum[i] += stem.second[i];
        }
    }
    const float loudest = peakOf(sum);
    const float scale = loudest > 0 ? static_cast<float>(peak) / loudest : 1.0f;
    for (auto& stem : out)
    {
        for (float& s : stem.second)
        {
            s *= scale;
        }
        fadeEnds(stem.second, 0.0, fadeOut);
    }
    return out;
}
