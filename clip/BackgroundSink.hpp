#pragma once

#include "clip/ClipSink.hpp"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

// Hands pictures and sound on to another sink on a thread of its own, in the order they came, so that the game's
// next frame is played and drawn while this one is converted and encoded. It copies what it is given; at most a few
// pictures wait, so a slow encoder holds the game back rather than filling the memory. A failure of the sink behind
// it (a ClipError from the writer, say) is thrown again to the caller, by the next write or by finish.
class BackgroundSink : public ClipSink
{
public:
    // `pictureBytes` is the size of one picture; `channels` the number of interleaved channels of the sound.
    BackgroundSink(ClipSink& sink, std::size_t pictureBytes, std::size_t channels);
    // Without finish (as when the render stops on an error), what still waits is dropped.
    ~BackgroundSink() override;
    BackgroundSink(const BackgroundSink&) = delete;
    BackgroundSink& operator=(const BackgroundSink&) = delete;

    void writePicture(const sf::Uint8* rgba) override;
    void writeSound(const float* samples, std::size_t frames) override;

    // Waits until the sink behind it has taken everything, then ends the thread.
    void finish();

private:
    struct Item
    {
        bool isPicture = true;
        std::vector<sf::Uint8> picture;
        std::vector<float> sound;
    };

    void push(Item item);
    void run();
    void stop();
    void rethrowFailure();

    ClipSink* sink;
    std::size_t pictureBytes;
    std::size_t channels;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Item> waiting;
    // Pictures the thread is done with, kept to be filled again: a fresh picture of this size each frame would be
    // a fresh mapping of memory each frame.
    std::vector<std::vector<sf::Uint8>> spare;
    std::size_t waitingPictures = 0;
    bool busy = false;
    bool stopping = false;
    std::exception_ptr failure;
    std::thread thread;
};
