#pragma once

#include "game/Command.hpp"

#include <string>
#include <vector>

class BeatClock;

// Beat codes: 0 any beat, 1 to 3 that beat, -5 the whole and half seconds (beats 0 and 2), -6 beats 1 and 3.
// Every command of the game uses -5.
constexpr int OnHalfSecond = -5;
constexpr int OnOffBeat = -6;

// Holds the named commands and releases them on the pulse of their beat. Never holds two of one name.
class CommandBoard
{
public:
    explicit CommandBoard(const BeatClock& clock);

    void post(const std::string& name, int beatCode);
    bool take(const std::string& name);
    bool isReady(const std::string& name) const;
    bool has(const std::string& name) const;
    void unready(const std::string& name);
    void remove(const std::string& name);
    void release();

    const std::vector<Command>& getCommands() const { return commands; }

private:
    const BeatClock* clock;
    std::vector<Command> commands;
};
