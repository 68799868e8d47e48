#include "clip/ClipRenderer.hpp"

#include "app/Settings.hpp"

#include <algorithm>

std::int64_t videoFramesBefore(sf::Time clock, int framesPerSecond)
{
    const std::int64_t micros = clock.asMicroseconds();
    if (micros <= 0)
        return 0;
    // Whole microseconds keep k / fps < clock exact: k < micros * fps / 1e6, rounded up.
    return (micros * framesPerSecond + 999999) / 1000000;
}

ClipRenderer::ClipRenderer(ClipSink& clipSink, AudioMixdown& audio, int fps)
    : sink(&clipSink)
    , mixdown(&audio)
    , framesPerSecond(fps)
{
}

void ClipRenderer::add(const ClipFrame& frame)
{
    const std::size_t size = static_cast<std::size_t>(CANVAS_WIDTH) * CANVAS_HEIGHT * 4;
    if (!havePicture)
    {
        latest.assign(frame.canvas, frame.canvas + size);
        havePicture = true;
    }
    // Until this frame's time the clip shows the frame before it.
    writeVideoUntil(frame.clock);
    std::copy(frame.canvas, frame.canvas + size, latest.begin());

    mixdown->frame(frame.clock, frame.volumes, frame.started);
    passSound();
}

void ClipRenderer::finish(sf::Time gameLength)
{
    if (havePicture)
        writeVideoUntil(gameLength);
    // The sound ends with the last video frame, so both streams have the same length.
    mixdown->mixUntil(sf::microseconds(videoFrames * 1000000 / framesPerSecond));
    passSound();
}

void ClipRenderer::writeVideoUntil(sf::Time clock)
{
    const std::int64_t until = videoFramesBefore(clock, framesPerSecond);
    for (; videoFrames < until; ++videoFrames)
        sink->writePicture(latest.data());
}

void ClipRenderer::passSound()
{
    const std::vector<float>& samples = mixdown->getPending();
    if (!samples.empty())
        sink->writeSound(samples.data(), samples.size() / mixdown->getChannels());
    mixdown->clearPending();
}
