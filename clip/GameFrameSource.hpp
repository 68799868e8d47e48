#pragma once

#include "assets/MediaFolder.hpp"
#include "clip/ClipRenderer.hpp"

#include <SFML/System/Time.hpp>

#include <memory>
#include <string>

// A game played back frame by frame, for the clip: a recording or an input script, run by the replay driver with
// the canvas drawn for every frame. The clip needs nothing else of it.
class GameFrameSource
{
public:
    virtual ~GameFrameSource() = default;

    // Plays the next frame and fills `frame` (its canvas stays valid until the next call); false after the last.
    virtual bool next(ClipFrame& frame) = 0;
    // The game's length once next() has returned false: the base stem's clock when the game ended.
    virtual sf::Time getLength() const = 0;
    // What the length will be if the game plays to the end of its music, for the progress line.
    virtual sf::Time getExpectedLength() const = 0;
};

// Opens FILE, telling a recording from an input script by its first line. Throws std::runtime_error with one line
// naming the file (and the line) when it cannot be played back.
std::unique_ptr<GameFrameSource> openGameFrames(const std::string& path, const MediaFolder& media);
