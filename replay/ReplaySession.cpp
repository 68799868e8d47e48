#include "replay/ReplaySession.hpp"

#include "app/Settings.hpp"
#include "app/fileProblem.hpp"
#include "assets/Assets.hpp"
#include "input/Bindings.hpp"
#include "kit/Random.hpp"
#include "render/presentCanvas.hpp"
#include "replay/ReplayFormatError.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <cerrno>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

// Where a replayed game's outside comes from.
class ReplaySession::Feed
{
public:
    virtual ~Feed() = default;
    // Moves to frame `index` (the setup before the first); false when the file holds no such frame.
    virtual bool begin(std::size_t index, sf::Time& frameTime) = 0;
    virtual sf::Time now() = 0;
    virtual sf::Time stemTime(char kind, Stem stem) = 0;
    virtual int status(Stem stem) = 0;
    virtual float volume(Stem stem, float lastSet) = 0;
    virtual bool key(sf::Keyboard::Key key) = 0;
    // A pad question, named as a recording names it ("jc:0", "jb:0:6", ...); a script plays no pads.
    virtual float pad(const std::string& question) = 0;
    virtual void poll(kit::ActionMap& actions) = 0;
};

namespace
{

// Answers from a recording, frame by frame. A question is answered by the next answer of its key in the frame; a
// replay that has parted from its recording can ask more often than it was asked, and then gets the last answer.
class RecordingFeed : public ReplaySession::Feed
{
public:
    explicit RecordingFeed(const Recording& recording)
        : recording(recording)
    {
        load(recording.setup);
    }

    bool begin(std::size_t index, sf::Time& frameTime) override
    {
        if (index >= recording.frames.size())
            return false;
        const RecordedFrame& frame = recording.frames[index];
        load(frame.tokens);
        events = &frame.events;
        frameTime = frame.frameTime;
        return true;
    }

    sf::Time now() override { return sf::microseconds(whole("t")); }
    sf::Time stemTime(char kind, Stem stem) override
    {
        return sf::microseconds(whole(std::string(1, kind) + ":" + stemName(stem)));
    }
    int status(Stem stem) override
    {
        return static_cast<int>(whole(std::string("s:") + stemName(stem), sf::SoundSource::Playing));
    }
    float volume(Stem stem, float lastSet) override
    {
        const std::string* value = answer(std::string("v:") + stemName(stem));
        return value ? std::stof(*value) : lastSet;
    }
    bool key(sf::Keyboard::Key code) override { return whole("k:" + std::to_string(static_cast<int>(code))) != 0; }
    float pad(const std::string& question) override
    {
        const std::string* value = answer(question);
        return value ? std::stof(*value) : 0.f;
    }
    void poll(kit::ActionMap& actions) override
    {
        if (events)
            actions.replaceEvents(*events);
        else
            actions.clearEvents();
    }

private:
    void load(const std::vector<ReplayToken>& tokens)
    {
        for (auto& queue : answers)
            queue.second.clear();
        for (const ReplayToken& token : tokens)
            if (token.hasValue)
                answers[token.key].push_back(&token.value);
    }

    const std::string* answer(const std::string& key)
    {
        auto& queue = answers[key];
        if (!queue.empty())
        {
            last[key] = queue.front();
            queue.pop_front();
        }
        const auto found = last.find(key);
        return found == last.end() ? nullptr : found->second;
    }

    long long whole(const std::string& key, long long otherwise = 0)
    {
        const std::string* value = answer(key);
        return value ? std::stoll(*value) : otherwise;
    }

    const Recording& recording;
    const std::vector<sf::Event>* events = nullptr;
    std::map<std::string, std::deque<const std::string*>> answers;
    std::map<std::string, const std::string*> last;
};

// Answers from a script: the music, and the time, move on by a steady 1/60 s a frame; the keys do what the
// script's steps say at their times.
class ScriptFeed : public ReplaySession::Feed
{
public:
    ScriptFeed(const InputScript& script, sf::Time musicLength)
        : script(script)
        , length(musicLength)
    {
    }

    bool begin(std::size_t index, sf::Time& frameTime) override
    {
        // One frame past the music's end, so the game sees its stem stop as it would.
        if (elapsed >= length && index > 0 && stopped)
            return false;
        frameTime = ReplaySession::scriptTime(index + 1) - ReplaySession::scriptTime(index);
        elapsed = ReplaySession::scriptTime(index + 1);
        stopped = elapsed >= length;
        return true;
    }

    sf::Time now() override { return elapsed; }
    sf::Time stemTime(char kind, Stem) override
    {
        if (kind == 'd')
            return length;
        if (kind == 'o')
            return stopped ? sf::Time::Zero : elapsed;
        return sf::Time::Zero;
    }
    int status(Stem) override { return stopped ? sf::SoundSource::Stopped : sf::SoundSource::Playing; }
    float volume(Stem, float lastSet) override { return lastSet; }
    bool key(sf::Keyboard::Key code) override { return held.count(code) > 0; }
    float pad(const std::string&) override { return 0.f; }
    void poll(kit::ActionMap& actions) override
    {
        actions.clearEvents();
        for (sf::Keyboard::Key code : releases)
            push(actions, code, false);
        releases.clear();
        while (nextStep < script.steps.size() && script.steps[nextStep].at <= elapsed)
        {
            const InputScript::Step& step = script.steps[nextStep++];
            push(actions, step.key, step.action != InputScript::Action::Up);
            if (step.action == InputScript::Action::Press)
                releases.push_back(step.key);
        }
    }

private:
    void push(kit::ActionMap& actions, sf::Keyboard::Key code, bool down)
    {
        sf::Event event{};
        event.type = down ? sf::Event::KeyPressed : sf::Event::KeyReleased;
        event.key.code = code;
        actions.pushEvent(event);
        if (down)
            held.insert(code);
        else
            held.erase(code);
    }

    const InputScript& script;
    sf::Time length;
    sf::Time elapsed;
    bool stopped = false;
    std::size_t nextStep = 0;
    std::set<sf::Keyboard::Key> held;
    std::vector<sf::Keyboard::Key> releases;
};

// The base stem's length, from its file's header: a script needs no audio device.
sf::Time baseStemLength(const MediaFolder& media)
{
    const std::string path = media.sound("music_base.wav");
    sf::InputSoundFile file;
    if (!file.openFromFile(path))
        throw std::runtime_error("Failed to open the music \"" + path + "\"");
    return file.getDuration();
}

} // namespace

// A stem answered by the feed; what the game sets on it goes into the frame's report.
class ReplaySession::Track : public MusicTrack
{
public:
    Track(Stem stem, Feed& feed, ReplayFrame& frame)
        : stem(stem)
        , feed(&feed)
        , frame(&frame)
    {
    }

    sf::Time getPlayingOffset() const override
    {
        const sf::Time offset = feed->stemTime('o', stem);
        if (stem == Stem::Base)
            frame->musicTime = offset;
        return offset;
    }
    sf::Time getDuration() const override { return feed->stemTime('d', stem); }
    sf::SoundSource::Status getStatus() const override
    {
        return static_cast<sf::SoundSource::Status>(feed->status(stem));
    }
    float getVolume() const override { return feed->volume(stem, frame->volumes[static_cast<int>(stem)]); }
    void setVolume(float volume) override
    {
        frame->volumeSets.emplace_back(stem, volume);
        frame->volumes[static_cast<int>(stem)] = volume;
    }
    sf::Time getOutputLatency() const override { return feed->stemTime('l', stem); }

private:
    Stem stem;
    Feed* feed;
    ReplayFrame* frame;
};

class ReplaySession::Sound : public SoundCue
{
public:
    Sound(Cue cue, ReplayFrame& frame)
        : cue(cue)
        , frame(&frame)
    {
    }
    void play() override { frame->soundsStarted.push_back(cue); }

private:
    Cue cue;
    ReplayFrame* frame;
};

ReplaySession::Source ReplaySession::open(const std::string& path)
{
    // A folder opens as a file that reads nothing; it is named for what it is.
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    std::error_code ignored;
    if (!in || std::filesystem::is_directory(path, ignored))
        throw std::runtime_error("Cannot open the replay \"" + path + "\": " + fileProblem(path, errno));
    return read(in, path);
}

ReplaySession::Source ReplaySession::read(std::istream& in, const std::string& name)
{
    Source source;
    source.name = name;
    std::string first;
    const std::istream::pos_type start = in.tellg();
    std::getline(in, first);
    in.clear();
    in.seekg(start);
    source.isScript = isInputScriptStart(first);
    if (source.isScript)
        source.script = readInputScript(in, name);
    else
        source.recording = readRecording(in, name);
    return source;
}

kit::JoystickState ReplaySession::replayedPads()
{
    const auto question = [](char kind, unsigned pad, int detail)
    {
        std::string text = std::string("j") + kind + ":" + std::to_string(pad);
        if (detail >= 0)
            text += ":" + std::to_string(detail);
        return text;
    };
    kit::JoystickState pads;
    pads.isConnected = [this, question](unsigned pad) { return feed->pad(question('c', pad, -1)) != 0.f; };
    pads.getButtonCount = [this, question](unsigned pad)
    { return static_cast<unsigned>(feed->pad(question('n', pad, -1))); };
    pads.isButtonPressed = [this, question](unsigned pad, unsigned button)
    { return feed->pad(question('b', pad, static_cast<int>(button))) != 0.f; };
    pads.getAxisPosition = [this, question](unsigned pad, sf::Joystick::Axis axis)
    { return feed->pad(question('a', pad, static_cast<int>(axis))); };
    return pads;
}

sf::Time ReplaySession::scriptTime(std::size_t frames)
{
    return sf::microseconds(static_cast<sf::Int64>(frames) * 1000000 / 60);
}

ReplaySession::ReplaySession(Source replaySource, kit::MultiResourceCache& cache, MediaFolder mediaFolder)
    : source(std::move(replaySource))
    , media(std::move(mediaFolder))
    , actions([this](sf::Keyboard::Key key) { return feed->key(key); }, replayedPads())
{
    if (source.isScript)
        feed = std::make_unique<ScriptFeed>(source.script, baseStemLength(media));
    else
        feed = std::make_unique<RecordingFeed>(source.recording);
    for (int i = 0; i < StemCount; ++i)
        tracks.push_back(std::make_unique<Track>(static_cast<Stem>(i), *feed, frame));
    for (int i = 0; i < CueCount; ++i)
        sounds.push_back(std::make_unique<Sound>(static_cast<Cue>(i), frame));

    if (canvas().getSize().x == 0)
        canvas().create(CANVAS_WIDTH, CANVAS_HEIGHT);
    bindCloseAction(actions);
    const char* const names[] = {"player", "background", "region_selector", "time", "dust"};
    for (int i = 0; i < 5; ++i)
        textures[i] = loadTexture(cache, media, names[i]);
    font = loadFont(cache, media);

    kit::setRandomSeed(source.isScript ? source.script.seed : source.recording.seed);
    const RoundMedia media{*textures[0], *textures[1], *textures[2], *textures[3], *textures[4], *font};
    const RoundSounds roundSounds{*tracks[0], *tracks[1], *tracks[2], *sounds[0], *sounds[1], *sounds[2]};
    // A recording plays by the controls and the offset it was played by; a script by the game's own.
    const RoundOptions options = source.isScript ? RoundOptions() : source.recording.options;
    round = std::make_unique<Round>(
        media, roundSounds, drawList, actions, [this] { return feed->now(); }, options);
}

ReplaySession::~ReplaySession()
{
    // The round's drawables go before the list that names them.
    round.reset();
}

std::size_t ReplaySession::getFrameCount() const
{
    if (!source.isScript)
        return source.recording.frames.size();
    std::size_t frames = 0;
    const sf::Time length = baseStemLength(media);
    while (scriptTime(frames) < length)
        ++frames;
    return frames + 1;
}

bool ReplaySession::step()
{
    if (ended)
        return false;
    sf::Time frameTime;
    const sf::Time musicTime = frame.musicTime;
    if (!feed->begin(next, frameTime))
        return false;
    frame.index = next;
    frame.line = source.isScript ? 0 : source.recording.frames[next].line;
    frame.frameTime = frameTime;
    frame.musicTime = musicTime;
    frame.volumeSets.clear();
    frame.soundsStarted.clear();
    ++next;

    const Round::Outcome outcome = round->frame(frameTime, [this] { feed->poll(actions); });
    frame.drawn = outcome == Round::Outcome::Playing;
    ended = !frame.drawn;
    frame.digest = digestRound(*round);

    frame.matched = true;
    frame.difference.clear();
    if (!source.isScript)
    {
        const RecordedFrame& recorded = source.recording.frames[frame.index];
        frame.difference = describeDifference(recorded.digest, frame.digest);
        std::string recordedSounds;
        for (const ReplayToken& token : recorded.tokens)
            if (token.key.compare(0, 2, "S:") == 0)
                recordedSounds += token.key.substr(2) + " ";
        std::string playedSounds;
        for (Cue cue : frame.soundsStarted)
            playedSounds += std::string(cueName(cue)) + " ";
        if (recordedSounds != playedSounds)
            frame.difference += std::string(frame.difference.empty() ? "" : ", ") + "sounds started";
        const bool recordingGoesOn = frame.index + 1 < source.recording.frames.size();
        if (ended && recordingGoesOn)
            frame.difference += std::string(frame.difference.empty() ? "" : ", ") + "the game ended early";
        frame.matched = frame.difference.empty();
        if (!frame.matched && firstDifference < 0)
            firstDifference = static_cast<long>(frame.index);
    }

    // The picture, composed as the game composes it (the flicker draws from the same random engine).
    if (frame.drawn)
    {
        canvas().clear(sf::Color(0, 0, 0, 255));
        drawList.draw(canvas());
        drawFlicker(canvas());
        canvas().display();
    }
    return true;
}
