#pragma once

#include "game/RoundSeams.hpp"
#include "replay/RecordingWriter.hpp"

#include <fstream>
#include <memory>
#include <string>
#include <vector>

// Records a game as it is played: wraps every seam the main screen offers in a decorator that forwards to the real
// thing and writes down what went by. Ctrl+C and SIGTERM, while it records, end the game at the next frame, so the
// file always closes with whole frames and an end line.
class GameRecorder : public RoundSeams
{
public:
    // Creates the file. Throws std::runtime_error naming it when it cannot be created.
    explicit GameRecorder(const std::string& path);
    ~GameRecorder() override;
    GameRecorder(const GameRecorder&) = delete;
    GameRecorder& operator=(const GameRecorder&) = delete;

    kit::ActionMap::KeyState keyState(kit::ActionMap::KeyState real) override;
    void beginRound() override;
    MusicTrack& stem(int index, MusicTrack& real) override;
    SoundCue& cue(int index, SoundCue& real) override;
    kit::TimeSource timeSource(kit::TimeSource real) override;
    void roundReady() override;
    void polled(const sf::Event& event) override;
    void frameDone(sf::Time frameTime, const Round& round) override;
    void roundOver(Round::Outcome outcome, bool stopped) override;
    bool stopRequested() const override;

    // Closes the file; false, with the reason on stderr, when it could not be written in full.
    bool finish();

private:
    class Track;
    class Sound;

    std::string path;
    std::vector<char> buffer;
    std::ofstream file;
    std::unique_ptr<RecordingWriter> writer;
    std::vector<std::unique_ptr<Track>> tracks;
    std::vector<std::unique_ptr<Sound>> sounds;
};
