#pragma once

#include "game/MusicTrack.hpp"
#include "game/Round.hpp"
#include "kit/ActionMap.hpp"
#include "kit/TimeSource.hpp"
#include "world/SoundCue.hpp"

#include <SFML/Window/Event.hpp>

// The places where the outside enters a game: the keyboard, the gamepads, the random seed, the stems, the sounds, the
// time source, the polled events and the frame time. The main screen passes each through here when it is given seams,
// so that a recorder can wrap them; the round never learns of it. Stems are numbered base 0, top 1, bottom 2; sounds
// dash 0, zoop 1, blow 2.
class RoundSeams
{
public:
    virtual ~RoundSeams() = default;

    virtual kit::ActionMap::KeyState keyState(kit::ActionMap::KeyState real) = 0;
    virtual kit::JoystickState joystickState(kit::JoystickState real) = 0;
    // Just before the round is made, with what it will play by; the seed is set here.
    virtual void beginRound(const RoundOptions& options) = 0;
    virtual MusicTrack& stem(int index, MusicTrack& real) = 0;
    virtual SoundCue& cue(int index, SoundCue& real) = 0;
    virtual kit::TimeSource timeSource(kit::TimeSource real) = 0;
    // The round is set up; what it read so far belongs to no frame.
    virtual void roundReady() = 0;
    virtual void polled(const sf::Event& event) = 0;
    virtual void frameDone(sf::Time frameTime, const Round& round) = 0;
    // The game ended by this outcome; `stopped` when it was stopped from outside (a signal).
    virtual void roundOver(Round::Outcome outcome, bool stopped) = 0;
    // Whether the game should end now, as after a signal.
    virtual bool stopRequested() const = 0;
};
