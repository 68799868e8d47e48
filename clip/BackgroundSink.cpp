#include "clip/BackgroundSink.hpp"

#include <algorithm>
#include <utility>

namespace
{
// Enough to keep the thread fed while a frame of the game is played and drawn.
constexpr std::size_t MostWaitingPictures = 3;
} // namespace

BackgroundSink::BackgroundSink(ClipSink& target, std::size_t bytes, std::size_t soundChannels)
    : sink(&target)
    , pictureBytes(bytes)
    , channels(soundChannels)
    , thread([this] { run(); })
{
}

BackgroundSink::~BackgroundSink()
{
    stop();
}

void BackgroundSink::writePicture(const sf::Uint8* rgba)
{
    Item item;
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [this] { return waitingPictures < MostWaitingPictures || failure; });
        if (!spare.empty())
        {
            item.picture = std::move(spare.back());
            spare.pop_back();
        }
    }
    item.picture.assign(rgba, rgba + pictureBytes);
    push(std::move(item));
}

void BackgroundSink::writeSound(const float* samples, std::size_t frames)
{
    Item item;
    item.isPicture = false;
    item.sound.assign(samples, samples + frames * channels);
    push(std::move(item));
}

void BackgroundSink::finish()
{
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [this] { return (waiting.empty() && !busy) || failure; });
    }
    stop();
    rethrowFailure();
}

void BackgroundSink::push(Item item)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (failure)
            std::rethrow_exception(failure);
        if (item.isPicture)
            ++waitingPictures;
        waiting.push_back(std::move(item));
    }
    changed.notify_all();
}

void BackgroundSink::run()
{
    std::unique_lock<std::mutex> lock(mutex);
    for (;;)
    {
        changed.wait(lock, [this] { return !waiting.empty() || stopping; });
        if (waiting.empty())
            return;
        Item item = std::move(waiting.front());
        waiting.pop_front();
        busy = true;

        // The sink is called without the lock, so the game goes on meanwhile.
        lock.unlock();
        std::exception_ptr failed;
        try
        {
            if (item.isPicture)
                sink->writePicture(item.picture.data());
            else
                sink->writeSound(item.sound.data(), item.sound.size() / channels);
        }
        catch (...)
        {
            failed = std::current_exception();
        }
        lock.lock();

        busy = false;
        if (item.isPicture)
        {
            --waitingPictures;
            spare.push_back(std::move(item.picture));
        }
        if (failed)
        {
            failure = failed;
            waiting.clear();
            waitingPictures = 0;
        }
        changed.notify_all();
        if (failure)
            return;
    }
}

void BackgroundSink::stop()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
        waiting.clear();
        waitingPictures = 0;
    }
    changed.notify_all();
    if (thread.joinable())
        thread.join();
}

void BackgroundSink::rethrowFailure()
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (failure)
        std::rethrow_exception(failure);
}
