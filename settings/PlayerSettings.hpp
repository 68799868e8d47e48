#pragma once

#include "input/Controls.hpp"

#include <SFML/System/Time.hpp>

#include <map>
#include <string>

// Everything a player may set in the settings file. Every default is the game as it is with no file at all.
struct DisplaySettings
{
    int scale = 3;           // whole factor of the 300x200 picture in a window
    bool fullscreen = false; // the largest whole factor that fits the screen, centred on black
    int maxFps = 0;          // 0: paced when vertical sync does not pace the frames; N: at most N; -1: unpaced
};

struct SoundSettings
{
    float master = 100.f;  // linear gain in percent, as SFML's volumes
    float music = 100.f;   // multiplies the stems' own cross-fade volumes
    float effects = 100.f; // dash, zoop, blow
    bool muted = false;
};

struct AudioSettings
{
    int offsetMs = 0;                         // added to the output latency the music clock takes off
    std::map<std::string, int> deviceOffsets; // by OpenAL device name, measured by --calibrate; before offsetMs

    // The offset for the output device of this name: its own when it has one, otherwise offsetMs.
    sf::Time offsetFor(const std::string& device) const;
};

struct PlayerSettings
{
    DisplaySettings display;
    SoundSettings sound;
    AudioSettings audio;
    Controls controls;
};

// The limits of the settings that have them, for the reader and the messages.
constexpr int MaxScale = 16;
constexpr int MinOffsetMs = -300;
constexpr int MaxOffsetMs = 500;
