#pragma once

#include "clip/ClipSink.hpp"

#include <memory>
#include <stdexcept>
#include <string>

// What went wrong while writing a clip, on one line.
class ClipError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct ClipFormat
{
    // The clip's picture; each picture it is given is this many times smaller and is shown enlarged, every
    // pixel a sharp block, as the window shows the canvas.
    int width = 900;
    int height = 600;
    int pictureScale = 3;
    int framesPerSecond = 60;
    unsigned sampleRate = 44100;
    unsigned channels = 1;
};

// Writes an MP4 through FFmpeg's libraries: H.264 (x264) in yuv420p at a constant frame rate and AAC sound,
// with the index at the front so that a browser can start playing before it has the whole file.
// A writer destroyed before finish() removes its unfinished file.
class ClipWriter : public ClipSink
{
public:
    // Creates the file; throws ClipError when it cannot.
    ClipWriter(const std::string& path, const ClipFormat& format);
    ~ClipWriter() override;
    ClipWriter(const ClipWriter&) = delete;
    ClipWriter& operator=(const ClipWriter&) = delete;

    void writePicture(const sf::Uint8* rgba) override;
    void writeSound(const float* samples, std::size_t frames) override;

    // Flushes both encoders and closes the file.
    void finish();

private:
    struct Streams;
    std::unique_ptr<Streams> streams;
};
