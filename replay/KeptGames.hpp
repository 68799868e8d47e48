#pragma once

#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

// What went wrong with the kept games' folder or one of its files, with the system's reason, on one line.
class KeptGamesError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The games a player played, kept without being asked: the newest few recordings in one folder, each named by the
// local time its game began (2026-12-10T14-03-22.rec). A game is written to NAME.rec.partial and renamed when it
// ends, so a game that never ended (a crash) leaves its partial file, which replays up to its last frame. Only files
// named this way are ever touched.
class KeptGames
{
public:
    static constexpr std::size_t Kept = 10;

    explicit KeptGames(std::filesystem::path folder);

    const std::filesystem::path& getFolder() const { return folder; }

    // Makes the folder where needed and names the partial file of a game begun at `start`; a second game begun in
    // the same second is NAME-2, and so on. Throws KeptGamesError.
    std::filesystem::path begin(std::time_t start) const;
    // The game written to `partial` ended: it becomes NAME.rec, and the oldest games go until Kept are left.
    // Throws KeptGamesError.
    std::filesystem::path keep(const std::filesystem::path& partial) const;
    // The newest game, ended or partial; empty when there is none.
    std::filesystem::path newest() const;
    // The games, oldest first.
    std::vector<std::filesystem::path> list() const;

private:
    std::filesystem::path folder;
};

// "2026-12-10T14-03-22": a local time as a file name, without the colons some file systems refuse.
std::string keptGameName(const std::tm& local);
