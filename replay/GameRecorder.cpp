#include "replay/GameRecorder.hpp"

#include "kit/Random.hpp"
#include "replay/StateDigest.hpp"

#include <csignal>
#include <random>
#include <utility>

namespace
{

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void requestStop(int)
{
    stopSignal = 1;
}

} // namespace

class GameRecorder::Track : public MusicTrack
{
public:
    Track(Stem stem, MusicTrack& real, RecordingWriter& writer)
        : stem(stem)
        , real(&real)
        , writer(&writer)
    {
    }

    sf::Time getPlayingOffset() const override
    {
        const sf::Time value = real->getPlayingOffset();
        writer->stemTime('o', stem, value);
        return value;
    }
    sf::Time getDuration() const override
    {
        const sf::Time value = real->getDuration();
        writer->stemTime('d', stem, value);
        return value;
    }
    sf::SoundSource::Status getStatus() const override
    {
        const sf::SoundSource::Status value = real->getStatus();
        writer->stemStatus(stem, static_cast<int>(value));
        return value;
    }
    float getVolume() const override
    {
        const float value = real->getVolume();
        writer->stemVolumeRead(stem, value);
        return value;
    }
    void setVolume(float volume) override
    {
        writer->stemVolumeSet(stem, volume);
        real->setVolume(volume);
    }
    sf::Time getOutputLatency() const override
    {
        const sf::Time value = real->getOutputLatency();
        writer->stemTime('l', stem, value);
        return value;
    }

private:
    Stem stem;
    MusicTrack* real;
    RecordingWriter* writer;
};

class GameRecorder::Sound : public SoundCue
{
public:
    Sound(Cue cue, SoundCue& real, RecordingWriter& writer)
        : cue(cue)
        , real(&real)
        , writer(&writer)
    {
    }
    void play() override
    {
        writer->sound(cue);
        real->play();
    }

private:
    Cue cue;
    SoundCue* real;
    RecordingWriter* writer;
};

GameRecorder::GameRecorder(std::vector<std::ostream*> streams)
    : outputs(std::move(streams))
{
    stopSignal = 0;
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
}

GameRecorder::~GameRecorder()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

kit::ActionMap::KeyState GameRecorder::keyState(kit::ActionMap::KeyState real)
{
    return [this, real = std::move(real)](sf::Keyboard::Key key)
    {
        const bool down = real(key);
        if (writer)
            writer->key(static_cast<int>(key), down);
        return down;
    };
}

kit::JoystickState GameRecorder::joystickState(kit::JoystickState real)
{
    kit::JoystickState recorded;
    recorded.isConnected = [this, real](unsigned pad)
    {
        const bool connected = real.isConnected(pad);
        if (writer)
            writer->pad('c', pad, -1, connected ? 1.f : 0.f);
        return connected;
    };
    recorded.getButtonCount = [this, real](unsigned pad)
    {
        const unsigned count = real.getButtonCount(pad);
        if (writer)
            writer->pad('n', pad, -1, static_cast<float>(count));
        return count;
    };
    recorded.isButtonPressed = [this, real](unsigned pad, unsigned button)
    {
        const bool pressed = real.isButtonPressed(pad, button);
        if (writer)
            writer->pad('b', pad, static_cast<int>(button), pressed ? 1.f : 0.f);
        return pressed;
    };
    recorded.getAxisPosition = [this, real](unsigned pad, sf::Joystick::Axis axis)
    {
        const float position = real.getAxisPosition(pad, axis);
        if (writer)
            writer->pad('a', pad, static_cast<int>(axis), position);
        return position;
    };
    return recorded;
}

void GameRecorder::beginRound(const RoundOptions& options)
{
    std::random_device device;
    const auto seed = static_cast<std::uint32_t>(device());
    kit::setRandomSeed(seed);
    writer = std::make_unique<RecordingWriter>(outputs, seed, options);
}

MusicTrack& GameRecorder::stem(int index, MusicTrack& real)
{
    tracks.push_back(std::make_unique<Track>(static_cast<Stem>(index), real, *writer));
    return *tracks.back();
}

SoundCue& GameRecorder::cue(int index, SoundCue& real)
{
    sounds.push_back(std::make_unique<Sound>(static_cast<Cue>(index), real, *writer));
    return *sounds.back();
}

kit::TimeSource GameRecorder::timeSource(kit::TimeSource real)
{
    return [this, real = std::move(real)]
    {
        const sf::Time now = real();
        writer->time(now);
        return now;
    };
}

void GameRecorder::roundReady()
{
    writer->endSetup();
}

void GameRecorder::polled(const sf::Event& event)
{
    writer->event(event);
}

void GameRecorder::frameDone(sf::Time frameTime, const Round& round)
{
    writer->endFrame(frameTime, digestRound(round));
}

void GameRecorder::roundOver(Round::Outcome outcome, bool stopped)
{
    if (stopped)
        writer->end("stopped");
    else
        writer->end(outcome == Round::Outcome::Closed ? "closed" : "music");
}

bool GameRecorder::stopRequested() const
{
    return stopSignal != 0;
}
