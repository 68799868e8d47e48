#include "clip/ClipRenderer.hpp"

#include "app/Settings.hpp"

#include <algorithm>
#include <cstring>

std::int64_t videoFramesBefore(sf::Time clock, int framesPerSecond)
{
    const std::int64_t micros = clock.asMicroseconds();
    if (micros <= 0)
        return 0;
    // Whole microseconds keep k / fps < clock exact: k < micros * fps / 1e6, rounded up.
    return (micros * framesPerSecond + 999999) / 1000000;
}

void enlargePicture(const sf::Uint8* rgba, int width, int height, int factor, std::vector<sf::Uint8>& out)
{
    const std::size_t outWidth = static_cast<std::size_t>(width) * factor;
    out.resize(outWidth * static_cast<std::size_t>(height) * factor * 4);
    for (int y = 0; y < height; ++y)
    {
        sf::Uint8* row = &out[static_cast<std::size_t>(y) * factor * outWidth * 4];
        const sf::Uint8* in = rgba + static_cast<std::size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x)
            for (int i = 0; i < factor; ++i)
                std::memcpy(row + (static_cast<std::size_t>(x) * factor + i) * 4, in + x * 4, 4);
        for (int i = 1; i < factor; ++i)
            std::memcpy(row + i * outWidth * 4, row, outWidth * 4);
    }
}

ClipRenderer::ClipRenderer(ClipSink& clipSink, AudioMixdown& audio, int fps)
    : sink(&clipSink)
    , mixdown(&audio)
    , framesPerSecond(fps)
{
}

void ClipRenderer::add(const ClipFrame& frame)
{
    constexpr int Factor = WINDOW_WIDTH / CANVAS_WIDTH;
    if (!havePicture)
    {
        enlargePicture(frame.canvas, CANVAS_WIDTH, CANVAS_HEIGHT, Factor, enlarged);
        havePicture = true;
    }
    // Until this frame's time the clip shows the frame before it.
    writeVideoUntil(frame.clock);
    enlargePicture(frame.canvas, CANVAS_WIDTH, CANVAS_HEIGHT, Factor, enlarged);

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
        sink->writePicture(enlarged.data());
}

void ClipRenderer::passSound()
{
    const std::vector<float>& samples = mixdown->getPending();
    if (!samples.empty())
        sink->writeSound(samples.data(), samples.size() / mixdown->getChannels());
    mixdown->clearPending();
}
