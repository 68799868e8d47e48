#include "replay/runReplay.hpp"

#include "app/DisplayConnection.hpp"
#include "app/FramePacer.hpp"
#include "app/Options.hpp"
#include "app/Settings.hpp"
#include "app/WindowKeys.hpp"
#include "app/createWindow.hpp"
#include "app/reserveWorkingMemory.hpp"
#include "assets/Assets.hpp"
#include "game/SoundLevels.hpp"
#include "game/StreamedTrack.hpp"
#include "render/presentCanvas.hpp"
#include "replay/ReplayFormatError.hpp"
#include "replay/ReplaySession.hpp"
#include "world/SoundEffect.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/System/Sleep.hpp>

#include <iostream>
#include <memory>

namespace
{

// The recording's sound, played as the replay goes: the stems from the start, and each frame's volumes and sounds.
class Speakers
{
public:
    Speakers(kit::MultiResourceCache& cache, const MediaFolder& media, const SoundLevels& levels)
    {
        levels.apply();
        const char* const stems[] = {"music_base.wav", "music_top.wav", "music_bottom.wav"};
        for (int i = 0; i < StemCount; ++i)
        {
            tracks[i].openFromFile(media.sound(stems[i]));
            levels.applyTo(tracks[i]);
        }
        const char* const cues[] = {"dash", "zoop", "blow"};
        for (int i = 0; i < CueCount; ++i)
        {
            buffers[i] = loadSoundBuffer(cache, media, cues[i]);
            effects[i] = std::make_unique<SoundEffect>(*buffers[i]);
            levels.applyTo(*effects[i]);
        }
    }

    void start() { StreamedTrack::playTogether({&tracks[0], &tracks[1], &tracks[2]}); }

    void play(const ReplayFrame& frame)
    {
        for (const auto& set : frame.volumeSets)
            tracks[static_cast<int>(set.first)].setVolume(set.second);
        for (Cue cue : frame.soundsStarted)
            effects[static_cast<int>(cue)]->play();
    }

    // The base stem's clock, when it plays.
    bool playing() const { return tracks[0].getStatus() == sf::SoundSource::Playing; }
    sf::Time musicTime() const { return tracks[0].getPlayingOffset(); }

private:
    StreamedTrack tracks[StemCount];
    std::shared_ptr<sf::SoundBuffer> buffers[CueCount];
    std::unique_ptr<SoundEffect> effects[CueCount];
};

} // namespace

int runReplay(const Options& options, const MediaFolder& media, const PlayerSettings& settings, const WindowMode& mode,
              const DisplayConnection& display)
{
    ReplaySession::Source source;
    try
    {
        source = ReplaySession::open(options.file);
    }
    catch (const ReplayFormatError& error)
    {
        std::cerr << "brindlewick: " << error.what() << std::endl;
        return 2;
    }
    catch (const std::runtime_error& error)
    {
        std::cerr << "brindlewick: " << error.what() << std::endl;
        return 2;
    }
    const bool cutShort = !source.isScript && source.recording.isCutShort();
    const std::size_t stoppedAt = source.recording.stoppedAtLine;

    sf::RenderWindow window;
    if (!options.check)
        createWindow(window, mode, TITLE);
    kit::MultiResourceCache cache;
    SoundLevels levels(settings.sound);
    WindowKeys windowKeys(mode, &levels);
    std::unique_ptr<Speakers> speakers;
    if (!options.check && audioOutputAvailable())
        speakers = std::make_unique<Speakers>(cache, media, levels);

    ReplaySession session(std::move(source), cache, media);
    if (speakers)
        speakers->start();
    // A recording made without vertical sync holds more frames than a display shows; those in between are left
    // unshown, so the picture keeps up with the music.
    FramePacer pacer(settings.display.maxFps, [&] { return display.refreshRate(window); });
    reserveWorkingMemory();
    sf::Clock clock;
    sf::Time played;
    bool reported = false;
    while (session.step())
    {
        const ReplayFrame& frame = session.getFrame();
        if (!frame.matched && !reported)
        {
            std::cerr << "brindlewick: " << options.file << ": frame " << frame.index << " (line " << frame.line
                      << ") differs: " << frame.difference << std::endl;
            reported = true;
        }
        if (options.check)
            continue;

        // Watching: on the music's clock when the stems play, on the recorded frame times when they cannot.
        played += frame.frameTime;
        if (speakers && speakers->playing())
            while (speakers->playing() && speakers->musicTime() < frame.musicTime)
                sf::sleep(sf::milliseconds(1));
        else
            while (clock.getElapsedTime() < played)
                sf::sleep(sf::milliseconds(1));
        if (speakers)
            speakers->play(frame);

        sf::Event event;
        while (window.pollEvent(event))
            windowKeys.notice(event);
        if (!window.isOpen() || (window.hasFocus() && sf::Keyboard::isKeyPressed(sf::Keyboard::Escape)))
            break;
        if (frame.drawn && pacer.showNow())
            presentCanvas(window, canvas());
        windowKeys.apply(window);
    }
    if (cutShort)
        std::cerr << "brindlewick: " << options.file << ": the recording is cut short; it stopped at line " << stoppedAt
                  << ", after frame " << session.getFrame().index << std::endl;
    if (window.isOpen())
        window.close();
    return session.getFirstDifference() >= 0 ? 1 : 0;
}
