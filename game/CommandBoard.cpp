#include "game/CommandBoard.hpp"

#include "game/BeatClock.hpp"

#include <algorithm>

namespace
{

bool releasedOn(int beatCode, int beat)
{
    switch (beatCode)
    {
        case 0:
            return true;
        case 1:
        case 2:
        case 3:
            return beatCode == beat;
        case OnHalfSecond:
            return beat == 0 || beat == 2;
        case OnOffBeat:
            return beat == 1 || beat == 3;
        default:
            return false;
    }
}

} // namespace

CommandBoard::CommandBoard(const BeatClock& beatClock)
    : clock(&beatClock)
{
}

void CommandBoard::post(const std::string& name, int beatCode)
{
    if (has(name))
        return;
    commands.push_back(Command{name, beatCode, false});
}

bool CommandBoard::take(const std::string& name)
{
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const Command& command) { return command.ready && command.name == name; });
    if (found == commands.end())
        return false;
    commands.erase(found);
    return true;
}

bool CommandBoard::isReady(const std::string& name) const
{
    return std::any_of(commands.begin(), commands.end(),
                       [&](const Command& command) { return command.ready && command.name == name; });
}

bool CommandBoard::has(const std::string& name) const
{
    return std::any_of(commands.begin(), commands.end(), [&](const Command& command) { return command.name == name; });
}

void CommandBoard::unready(const std::string& name)
{
    for (Command& command : commands)
        if (command.name == name)
            command.ready = false;
}

void CommandBoard::remove(const std::string& name)
{
    commands.erase(
        std::remove_if(commands.begin(), commands.end(), [&](const Command& command) { return command.name == name; }),
        commands.end());
}

void CommandBoard::release()
{
    if (!clock->isOnBeat())
        return;
    const int beat = clock->getBeat();
    for (Command& command : commands)
        if (releasedOn(command.beatCode, beat))
            command.ready = true;
}
