#pragma once

#include "game/RoundSeams.hpp"
#include "replay/RecordingWriter.hpp"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Records a game as it is played: wraps every seam the main screen offers in a decorator that forwards to the real
// thing and writes down what went by, to each of its streams (the player's file, the kept game). Ctrl+C and SIGTERM,
// while it records, end the game at the next frame, so the files always close with whole frames and an end line.
class GameRecorder : public RoundSeams
{
public:
    // The streams outlive the recorder; whoever owns them closes them after the game.
    explicit GameRecorder(std::vector<std::ostream*> outputs);
    ~GameRecorder() override;
    GameRecorder(const GameRecorder&) = delete;
    GameRecorder& operator=(const GameRecorder&) = delete;

    kit::ActionMap::KeyState keyState(kit::ActionMap::KeyState real) override;
    kit::JoystickState joystickState(kit::JoystickState real) override;
    void beginRound(const RoundOptions& options) override;
    MusicTrack& stem(int index, MusicTrack& real) override;
    SoundCue& cue(int index, SoundCue& real) override;
    kit::TimeSource timeSource(kit::TimeSource real) override;
    void roundReady() override;
    void polled(const sf::Event& event) override;
    void frameDone(sf::Time frameTime, const Round& round) override;
    void roundOver(Round::Outcome outcome, bool stopped) override;
    bool stopRequested() const override;

    // The frames written so far; none before the round began.
    std::size_t getFrameCount() const { return writer ? writer->getFrameCount() : 0; }

private:
    class Track;
    class Sound;

    std::vector<std::ostream*> outputs;
    std::unique_ptr<RecordingWriter> writer;
    std::vector<std::unique_ptr<Track>> tracks;
    std::vector<std::unique_ptr<Sound>> sounds;
};
