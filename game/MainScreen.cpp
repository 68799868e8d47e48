#include "app/MainScreen.hpp"

#include "app/Settings.hpp"
#include "app/WindowKeys.hpp"
#include "app/reserveWorkingMemory.hpp"
#include "assets/Assets.hpp"
#include "game/Round.hpp"
#include "game/RoundSeams.hpp"
#include "game/SoundLevels.hpp"
#include "game/StreamedTrack.hpp"
#include "world/SoundEffect.hpp"

#include <SFML/System/Clock.hpp>

#include <iostream>
#include <stdexcept>
#include <utility>

namespace
{

// A top or bottom stem that cannot be opened only takes its layer away; the player is told why the game sounds thin.
void openLayer(StreamedTrack& stem, const std::string& path)
{
    if (!stem.openFromFile(path))
        std::cerr << "brindlewick: Cannot play the music \"" << path << "\" (" << stem.getFault()
                  << "); the game goes on without that layer" << std::endl;
}

// The game follows its base stem: without it there is no beat, no countdown and no end, so say why and stop.
void requireAudioOutput()
{
    if (!audioOutputAvailable())
        throw std::runtime_error("No audio output device could be opened, and the game follows its music; "
                                 "to play without sound, run it with ALSOFT_DRIVERS=null");
}

void openBaseStem(StreamedTrack& base, const std::string& path)
{
    if (!base.openFromFile(path))
        throw std::runtime_error("Failed to open the music \"" + path + "\" (" + base.getFault() + ")");
}

void requireBaseStemPlaying(const StreamedTrack& base, const std::string& path)
{
    if (base.getStatus() == sf::SoundSource::Stopped)
        throw std::runtime_error("The music \"" + path + "\" does not play");
}

} // namespace

MainScreen::MainScreen(MediaFolder mediaFolder, PlayerSettings playerSettings, WindowMode windowMode,
                       FramePacer framePacer, RoundSeams* roundSeams)
    : Screen(roundSeams ? roundSeams->keyState(&sf::Keyboard::isKeyPressed)
                        : kit::ActionMap::KeyState(&sf::Keyboard::isKeyPressed),
             roundSeams ? roundSeams->joystickState(kit::JoystickState::live()) : kit::JoystickState::live())
    , media(std::move(mediaFolder))
    , settings(std::move(playerSettings))
    , mode(windowMode)
    , pacer(std::move(framePacer))
    , seams(roundSeams)
{
}

int MainScreen::run(sf::RenderWindow& window, kit::MultiResourceCache& cache)
{
    requireAudioOutput();

    // Media, held for the whole game.
    const auto playerTexture = loadTexture(cache, media, "player");
    const auto backgroundTexture = loadTexture(cache, media, "background");
    const auto selectorTexture = loadTexture(cache, media, "region_selector");
    const auto timeTexture = loadTexture(cache, media, "time");
    const auto dustTexture = loadTexture(cache, media, "dust");
    const auto dashBuffer = loadSoundBuffer(cache, media, "dash");
    const auto zoopBuffer = loadSoundBuffer(cache, media, "zoop");
    const auto blowBuffer = loadSoundBuffer(cache, media, "blow");
    const auto font = loadFont(cache, media);

    // Every stem is opened (and read through once) first, then all start together on the same sample.
    StreamedTrack base;
    StreamedTrack top;
    StreamedTrack bottom;
    openBaseStem(base, media.sound("music_base.wav"));
    openLayer(top, media.sound("music_top.wav"));
    openLayer(bottom, media.sound("music_bottom.wav"));
    // The player's volumes go under the game's own, before anything sounds.
    SoundLevels levels(settings.sound);
    levels.apply();
    for (StreamedTrack* stem : {&base, &top, &bottom})
        levels.applyTo(*stem);
    // Their streaming threads fill their first buffers while the rest of the set-up is done; nothing here sets a
    // stem's volume until they have started together.
    StreamedTrack::startTogether({&base, &top, &bottom});
    SoundEffect dash(*dashBuffer);
    SoundEffect zoop(*zoopBuffer);
    SoundEffect blow(*blowBuffer);
    for (SoundEffect* effect : {&dash, &zoop, &blow})
        levels.applyTo(*effect);
    prepareRoundDrawing(canvas());
    StreamedTrack::finishTogether({&base, &top, &bottom});
    requireBaseStemPlaying(base, media.sound("music_base.wav"));

    sf::Clock frameClock;
    const RoundMedia roundMedia{*playerTexture, *backgroundTexture, *selectorTexture,
                                *timeTexture,   *dustTexture,       *font};
    // The player's controls, and the audio offset of the output the music plays on.
    const RoundOptions options{settings.controls, settings.audio.offsetFor(outputDeviceName())};
    // With seams, a recorder sees the seed, the stems, the sounds, the time and the input as they go by.
    if (seams)
        seams->beginRound(options);
    const RoundSounds sounds{seams ? seams->stem(0, base) : base,     seams ? seams->stem(1, top) : top,
                             seams ? seams->stem(2, bottom) : bottom, seams ? seams->cue(0, dash) : dash,
                             seams ? seams->cue(1, zoop) : zoop,      seams ? seams->cue(2, blow) : blow};
    Round round(roundMedia, sounds, drawList, actions,
                seams ? seams->timeSource(kit::realTimeSource()) : kit::realTimeSource(), options);
    if (seams)
        seams->roundReady();
    reserveWorkingMemory();
    WindowKeys windowKeys(mode, &levels);
    const auto pollEvents = [&]
    {
        actions.clearEvents();
        sf::Event event;
        while (window.pollEvent(event))
        {
            windowKeys.notice(event);
            if (seams)
                seams->polled(event);
            actions.pushEvent(event);
        }
    };

    int result = -1;
    Round::Outcome outcome = Round::Outcome::Playing;
    for (;;)
    {
        if (!window.isOpen())
        {
            result = 1;
            break;
        }
        if (seams && seams->stopRequested())
            break;
        const sf::Time frameTime = frameClock.restart();
        outcome = round.frame(frameTime, pollEvents);
        if (seams)
            seams->frameDone(frameTime, round);
        if (outcome != Round::Outcome::Playing)
            break;
        present(window);
        windowKeys.apply(window);
        // The wait goes into the next frame's time, as vertical sync's wait does.
        pacer.wait();
    }
    if (seams)
        seams->roundOver(outcome, outcome == Round::Outcome::Playing);
    // Nothing draws this screen again, and its drawables go with the round.
    drawList.clear();
    return result;
}
