#include "clip/ReplayFrameSource.hpp"

#include "app/Settings.hpp"

#include <utility>

std::unique_ptr<GameFrameSource> openGameFrames(const std::string& path, const MediaFolder& media)
{
    return std::make_unique<ReplayFrameSource>(ReplaySession::open(path), media);
}

ReplayFrameSource::ReplayFrameSource(ReplaySession::Source source, const MediaFolder& media)
    : session(std::move(source), cache, media)
    , readback(canvas())
{
}

sf::Time ReplayFrameSource::getExpectedLength() const
{
    // The count holds the last frame, in which the game sees its end and draws nothing.
    const std::size_t frames = session.getFrameCount();
    return ReplaySession::scriptTime(frames > 0 ? frames - 1 : 0);
}

bool ReplayFrameSource::next(ClipFrame& clipFrame)
{
    while (!over && readback.getWaiting() < CanvasReadback::Slots)
        over = !play();
    if (reading.empty())
        return false;
    clipFrame = std::move(reading.front());
    reading.pop_front();
    clipFrame.canvas = readback.take();
    return true;
}

bool ReplayFrameSource::play()
{
    if (!session.step())
    {
        // The recording ran out: the last picture stood for its whole frame.
        length = lastClock + lastFrameTime;
        return false;
    }
    const ReplayFrame& frame = session.getFrame();
    if (!frame.drawn)
    {
        // The game ended in this frame. Closed, its clock still runs and says when; at the music's end the stem
        // reads zero, and the last drawn frame's end is the end.
        length = frame.musicTime > lastClock ? frame.musicTime : lastClock + lastFrameTime;
        return false;
    }
    readback.read();
    ClipFrame& clipFrame = reading.emplace_back();
    clipFrame.clock = frame.musicTime;
    for (int stem = 0; stem < StemCount; ++stem)
        clipFrame.volumes[static_cast<std::size_t>(stem)] = frame.volumes[stem];
    for (const Cue cue : frame.soundsStarted)
        clipFrame.started.push_back(static_cast<AudioMixdown::Cue>(static_cast<int>(cue)));
    lastClock = frame.musicTime;
    lastFrameTime = frame.frameTime;
    return true;
}
