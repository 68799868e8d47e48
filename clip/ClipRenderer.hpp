#pragma once

#include "clip/AudioMixdown.hpp"
#include "clip/ClipSink.hpp"

#include <SFML/Config.hpp>
#include <SFML/System/Time.hpp>

#include <cstdint>
#include <vector>

// One game frame as the clip sees it: the canvas it drew, the base stem's clock it read, and what it did with
// sound. The replay driver hands these over in the order the game played them.
struct ClipFrame
{
    const sf::Uint8* canvas = nullptr; // CANVAS_WIDTH x CANVAS_HEIGHT RGBA, top row first
    sf::Time clock;
    AudioMixdown::Volumes volumes{100.f, 0.f, 0.f};
    std::vector<AudioMixdown::Cue> started;
};

// Turns game frames, which come at whatever pace the game ran, into a clip at a constant frame rate: video frame k
// (at k / fps seconds) shows the last game frame whose clock is at or before that time. Video frames before the
// first game frame show the first one.
class ClipRenderer
{
public:
    ClipRenderer(ClipSink& sink, AudioMixdown& mixdown, int framesPerSecond = 60);

    void add(const ClipFrame& frame);
    // Ends the clip at the game's length: the last picture holds until then, and the sound runs to the same end.
    void finish(sf::Time gameLength);

    std::int64_t getVideoFrames() const { return videoFrames; }

private:
    void writeVideoUntil(sf::Time clock);
    void passSound();

    ClipSink* sink;
    AudioMixdown* mixdown;
    int framesPerSecond;
    std::vector<sf::Uint8> latest;
    bool havePicture = false;
    std::int64_t videoFrames = 0;
};

// How many video frames lie strictly before `clock`: the k with k / fps < clock.
std::int64_t videoFramesBefore(sf::Time clock, int framesPerSecond);
