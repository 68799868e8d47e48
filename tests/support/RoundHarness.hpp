#pragma once

#include "app/Settings.hpp"
#include "assets/MediaFolder.hpp"
#include "game/Round.hpp"
#include "input/Bindings.hpp"
#include "kit/Random.hpp"
#include "support/ScriptedPads.hpp"
#include "support/ScriptedTime.hpp"
#include "support/ScriptedTrack.hpp"
#include "world/CountingCue.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

// A whole game driven frame by frame with scripted music, frame times and input: no window, no audio device, no
// waiting. Plain pictures stand in for the art; the text needs the generated font, and textures need an OpenGL
// context, so tests built on this are display tests.
struct RoundHarness : ::testing::Test
{
    static sf::Texture solidTexture(unsigned width, unsigned height)
    {
        sf::Image image;
        image.create(width, height, sf::Color(200, 200, 200));
        sf::Texture texture;
        texture.loadFromImage(image);
        return texture;
    }

    sf::Texture playerTexture = solidTexture(16, 16);
    sf::Texture backgroundTexture = solidTexture(300, 200);
    sf::Texture selectorTexture = solidTexture(300, 100);
    sf::Texture timeTexture = solidTexture(12, 12);
    sf::Texture dustTexture = solidTexture(5, 5);
    sf::Font font;

    ScriptedTrack base;
    ScriptedTrack top;
    ScriptedTrack bottom;
    CountingCue dash;
    CountingCue zoop;
    CountingCue blow;
    ScriptedTime time;

    std::set<sf::Keyboard::Key> held;
    ScriptedPads pads; // a pad's change goes into pending, like a key's: pending.push_back(pads.press(0, 6))
    kit::ActionMap actions{[this](sf::Keyboard::Key key) { return held.count(key) > 0; }, pads.state()};
    std::vector<sf::Event> pending; // what the window hands over at the next poll
    DrawList drawList;
    std::unique_ptr<Round> round;

    static constexpr sf::Int64 FrameMicroseconds = 16000;
    static sf::Time frameTime() { return sf::microseconds(FrameMicroseconds); }

    void SetUp() override
    {
        ASSERT_TRUE(font.loadFromFile(MediaFolder().font())) << "the generated font is missing from the build folder";
        bindCloseAction(actions);
    }

    void start(unsigned seed = 1)
    {
        kit::setRandomSeed(seed);
        const RoundMedia media{playerTexture, backgroundTexture, selectorTexture, timeTexture, dustTexture, font};
        const RoundSounds sounds{base, top, bottom, dash, zoop, blow};
        round = std::make_unique<Round>(media, sounds, drawList, actions, time.source());
    }

    // A key goes down or up, as the keyboard and the window would tell it.
    void key(sf::Keyboard::Key code, bool down)
    {
        sf::Event event{};
        event.type = down ? sf::Event::KeyPressed : sf::Event::KeyReleased;
        event.key.code = code;
        pending.push_back(event);
        if (down)
            held.insert(code);
        else
            held.erase(code);
    }

    // One frame: the music and the real time move on by dt (a stem stops at its end, as a streamed one does), then
    // the round runs its frame.
    Round::Outcome frame(sf::Time dt = frameTime())
    {
        for (ScriptedTrack* stem : {&base, &top, &bottom})
        {
            stem->offset += dt;
            if (stem->offset >= stem->duration)
            {
                stem->offset = sf::Time::Zero;
                stem->status = sf::SoundSource::Stopped;
            }
        }
        time.advance(dt);
        return round->frame(dt,
                            [this]
                            {
                                actions.replaceEvents(pending);
                                pending.clear();
                            });
    }
};
