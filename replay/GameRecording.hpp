#pragma once

#include "replay/GameRecorder.hpp"
#include "replay/KeptGames.hpp"
#include "replay/RecordingFile.hpp"

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Everything one played game is written to: the player's own file, when one was asked for (--record FILE), and
// the kept copy among the kept games. The kept copy is never worth a game: when its folder or file cannot be
// written, one warning says so and the game is played as ever.
class GameRecording
{
public:
    // Throws RecordingFileError when the player's own file cannot be created; `playerFile` empty asks for none.
    GameRecording(const std::string& playerFile, const KeptGames& kept, std::ostream& warnings);
    // A game that never played a frame (it could not start) leaves no kept copy behind.
    ~GameRecording();
    GameRecording(const GameRecording&) = delete;
    GameRecording& operator=(const GameRecording&) = delete;

    RoundSeams& getSeams() { return *recorder; }

    // The game is over: closes the files, and the kept copy takes its place among the kept games. False when the
    // player's own file could not be written in full; that and any trouble with the kept copy are said on
    // `warnings`.
    bool finish();

    const std::filesystem::path& getKeptPath() const { return keptPath; }

private:
    const KeptGames* kept;
    std::ostream* warnings;
    std::unique_ptr<RecordingFile> playerFile;
    std::unique_ptr<RecordingFile> keptFile;
    std::filesystem::path keptPath;
    std::unique_ptr<GameRecorder> recorder;
    bool finished = false;
};
