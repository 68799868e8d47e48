#pragma once

#include "clip/CanvasReadback.hpp"
#include "clip/GameFrameSource.hpp"
#include "kit/MultiResourceCache.hpp"
#include "replay/ReplaySession.hpp"

#include <deque>

// The replay driver's frames as the clip takes them: each drawn frame's canvas read back from the graphics card,
// its base-stem clock, the volumes the game set and the sounds it started. The canvas is read back one frame behind:
// a frame is handed over once the next one is drawn, so that the driver copies the one while the game plays the
// other.
class ReplayFrameSource : public GameFrameSource
{
public:
    ReplayFrameSource(ReplaySession::Source source, const MediaFolder& media);

    bool next(ClipFrame& frame) override;
    sf::Time getLength() const override { return length; }
    sf::Time getExpectedLength() const override;

private:
    // Plays the next frame and starts reading its picture back; false once the game is over.
    bool play();

    kit::MultiResourceCache cache;
    ReplaySession session;
    CanvasReadback readback;
    // The frames whose pictures are being read back, oldest first, without their pictures.
    std::deque<ClipFrame> reading;
    bool over = false;
    sf::Time lastClock;
    sf::Time lastFrameTime;
    sf::Time length;
};
