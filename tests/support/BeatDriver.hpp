#pragma once

#include "game/BeatClock.hpp"
#include "game/CommandBoard.hpp"
#include "support/ScriptedTime.hpp"
#include "support/ScriptedTrack.hpp"

// A beat clock and command board on scripted music, for tests that need commands to become ready.
struct BeatDriver
{
    ScriptedTrack track;
    ScriptedTime time;
    BeatClock clock{track, time.source()};
    CommandBoard board{clock};

    // Moves the music and the pulse clock forward together, then updates the clock and releases the board.
    void step(sf::Time dt)
    {
        track.offset += dt;
        time.advance(dt);
        clock.update();
        board.release();
    }

    // Plays on until the next -5 release (a whole or half second of the music) and stops inside its pulse.
    void toNextHalfSecond()
    {
        const int ms = track.offset.asMilliseconds();
        const int next = (ms / 500 + 1) * 500;
        step(sf::milliseconds(next - ms));
    }

    // Posts a command and plays on to the next half second, so it is ready.
    void postReady(const std::string& name)
    {
        board.post(name, OnHalfSecond);
        toNextHalfSecond();
    }
};
