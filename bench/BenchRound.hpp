#pragma once

#include "app/Screen.hpp"
#include "app/Settings.hpp"
#include "assets/Assets.hpp"
#include "game/Round.hpp"
#include "game/RoundSeams.hpp"
#include "kit/Random.hpp"
#include "render/presentCanvas.hpp"
#include "support/ScriptedTime.hpp"
#include "support/ScriptedTrack.hpp"
#include "world/CountingCue.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Event.hpp>

#include <ctime>
#include <memory>
#include <set>
#include <utility>
#include <vector>

// The processor time this thread has used, in microseconds. A busy machine stretches a frame's wall time by whatever
// else it runs meanwhile; the thread's own time is the frame's own work, which is where a first use shows.
inline double threadMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// The least a frame's present can cost, the reference of the present figures: the finished canvas drawn once in the
// window three times its size, and the buffer swap.
inline void drawCanvasScaled(sf::RenderWindow& window, sf::RenderTexture& picture)
{
    picture.display();
    sf::Sprite sprite(picture.getTexture());
    sprite.setScale(3.f, 3.f);
    window.draw(sprite);
    window.display();
}

// A screen whose run is not used: the benchmarks drive its round frame by frame and present its draw list.
class BenchScreen : public Screen
{
public:
    explicit BenchScreen(kit::ActionMap::KeyState isKeyDown = &sf::Keyboard::isKeyPressed)
        : Screen(std::move(isKeyDown))
    {
    }
    int run(sf::RenderWindow&, kit::MultiResourceCache&) override { return -1; }
    DrawList& getDrawList() { return drawList; }
    kit::ActionMap& getActions() { return actions; }
    using Screen::present;

    // The reference for present: the same frame with every visible entry drawn on its own, as the draw list drew
    // before it batched.
    void presentOneByOne(sf::RenderWindow& window)
    {
        canvas().clear(sf::Color(0, 0, 0, 255));
        for (const DrawEntry& entry : drawList.getEntries())
            if (entry.visible)
                canvas().draw(*entry.drawable, sf::RenderStates::Default);
        drawFlicker(canvas());
        presentCanvas(window, canvas());
    }
};

// One game on the game's own media, driven with scripted music, frame times and input: no audio device and no
// waiting. The love is held open in the player's half, and the player dashes every half second, so the world's
// every step has work. Textures need an OpenGL context, so a display is needed (xvfb-run where there is none).
// Given seams (a recorder), it passes the outside through them as the main screen does.
// The keyboard is the script's too, unless the real one is asked for, as a whole game as played is timed: each
// question it asks of the X server is a round trip to another process.
class BenchRound
{
public:
    static sf::Time frameTime() { return sf::microseconds(16000); }

    enum class Keyboard
    {
        Scripted,
        Real
    };

    // A sound the bench was not given is only counted.
    SoundCue& orCounted(SoundCue* cue) { return cue != nullptr ? *cue : static_cast<SoundCue&>(counted); }

    explicit BenchRound(SoundCue* dash = nullptr, SoundCue* zoop = nullptr, SoundCue* blow = nullptr,
                        RoundSeams* roundSeams = nullptr, Keyboard keyboard = Keyboard::Scripted)
        : seams(roundSeams)
        , screen(seams ? seams->keyState(keyState(keyboard)) : keyState(keyboard))
        , actions(screen.getActions())
    {
        if (seams)
            seams->beginRound(RoundOptions());
        // The same game with seams as without, whatever seed a recorder chose.
        kit::setRandomSeed(1);
        for (ScriptedTrack* stem : {&base, &top, &bottom})
            stem->duration = sf::seconds(100000.f);
        const RoundMedia media{*player, *background, *selector, *timeIcon, *dust, *font};
        const RoundSounds sounds{passed(0, base), passed(1, top),  passed(2, bottom),
                                 passed(0, dash), passed(1, zoop), passed(2, blow)};
        // As the game's set-up does.
        prepareRoundDrawing(canvas());
        round = std::make_unique<Round>(media, sounds, screen.getDrawList(), actions,
                                        seams ? seams->timeSource(time.source()) : time.source());
        if (seams)
            seams->roundReady();
        key(sf::Keyboard::LShift, true);
    }

    // One frame of scripted music, time and input, up to its drawing.
    Round::Outcome frame()
    {
        const sf::Time dt = frameTime();
        for (ScriptedTrack* stem : {&base, &top, &bottom})
        {
            stem->offset += dt;
            if (stem->offset >= stem->duration)
                stem->status = sf::SoundSource::Stopped;
        }
        time.advance(dt);
        // A dash in turn along each of the four directions, pressed and let go again.
        if (frames % 32 == 0)
            key(Directions[(frames / 32) % 4], true);
        if (frames % 32 == 4)
            key(Directions[(frames / 32) % 4], false);
        ++frames;
        const Round::Outcome outcome = round->frame(dt,
                                                    [this]
                                                    {
                                                        if (seams)
                                                            for (const sf::Event& event : pending)
                                                                seams->polled(event);
                                                        actions.replaceEvents(pending);
                                                        pending.clear();
                                                    });
        if (seams)
            seams->frameDone(dt, *round);
        return outcome;
    }

    // Makes baseballers until the given number are alive.
    void fillFlock(std::size_t alive)
    {
        while (round->getFlock().getBaseballers().size() < alive)
            round->getFlock().spawn(round->isBottomHalf());
    }

    std::size_t alive() const { return round->getFlock().getBaseballers().size(); }
    BenchScreen& getScreen() { return screen; }
    ScriptedTrack& getBase() { return base; }

private:
    MusicTrack& passed(int index, ScriptedTrack& stem) { return seams ? seams->stem(index, stem) : stem; }
    SoundCue& passed(int index, SoundCue* cue) { return seams ? seams->cue(index, orCounted(cue)) : orCounted(cue); }

    static constexpr sf::Keyboard::Key Directions[4] = {sf::Keyboard::Right, sf::Keyboard::Down, sf::Keyboard::Left,
                                                        sf::Keyboard::Up};

    kit::ActionMap::KeyState keyState(Keyboard keyboard)
    {
        if (keyboard == Keyboard::Real)
            return &sf::Keyboard::isKeyPressed;
        return [this](sf::Keyboard::Key code) { return held.count(code) > 0; };
    }

    void key(sf::Keyboard::Key code, bool down)
    {
        if (down)
            held.insert(code);
        else
            held.erase(code);
        sf::Event event{};
        event.type = down ? sf::Event::KeyPressed : sf::Event::KeyReleased;
        event.key.code = code;
        pending.push_back(event);
    }

    kit::MultiResourceCache cache;
    const MediaFolder media;
    std::shared_ptr<sf::Texture> player = loadTexture(cache, media, "player");
    std::shared_ptr<sf::Texture> background = loadTexture(cache, media, "background");
    std::shared_ptr<sf::Texture> selector = loadTexture(cache, media, "region_selector");
    std::shared_ptr<sf::Texture> timeIcon = loadTexture(cache, media, "time");
    std::shared_ptr<sf::Texture> dust = loadTexture(cache, media, "dust");
    std::shared_ptr<sf::Font> font = loadFont(cache, media);

    RoundSeams* seams;
    BenchScreen screen;
    ScriptedTrack base;
    ScriptedTrack top;
    ScriptedTrack bottom;
    CountingCue counted;
    ScriptedTime time;
    kit::ActionMap& actions;
    std::vector<sf::Event> pending;
    std::set<sf::Keyboard::Key> held;
    std::unique_ptr<Round> round;
    int frames = 0;
};
