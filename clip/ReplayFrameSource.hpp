#pragma once

#include "clip/GameFrameSource.hpp"
#include "kit/MultiResourceCache.hpp"
#include "replay/ReplaySession.hpp"

#include <SFML/Graphics/Image.hpp>

// The replay driver's frames as the clip takes them: each drawn frame's canvas read back from the graphics card,
// its base-stem clock, the volumes the game set and the sounds it started.
class ReplayFrameSource : public GameFrameSource
{
public:
    ReplayFrameSource(ReplaySession::Source source, const MediaFolder& media);

    bool next(ClipFrame& frame) override;
    sf::Time getLength() const override { return length; }
    sf::Time getExpectedLength() const override;

private:
    kit::MultiResourceCache cache;
    ReplaySession session;
    sf::Image picture;
    sf::Time lastClock;
    sf::Time lastFrameTime;
    sf::Time length;
};
