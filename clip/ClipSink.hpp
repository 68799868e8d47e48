#pragma once

#include <SFML/Config.hpp>

#include <cstddef>

// Where a rendered clip goes: whole video frames of the game's picture and runs of mixed sound.
// The MP4 writer is one; tests give a sink that only counts what arrives.
class ClipSink
{
public:
    virtual ~ClipSink() = default;

    // One video frame: the picture as the game drew it (before the clip enlarges it), RGBA, top row first.
    virtual void writePicture(const sf::Uint8* rgba) = 0;
    // Interleaved float samples in -1..1; `frames` counts samples per channel.
    virtual void writeSound(const float* samples, std::size_t frames) = 0;
};
