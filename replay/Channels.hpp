#pragma once

#include <string>

// The three stems and the three short sounds by role, as recordings name them.
enum class Stem
{
    Base,
    Top,
    Bottom,
};

enum class Cue
{
    Dash,
    Zoop,
    Blow,
};

constexpr int StemCount = 3;
constexpr int CueCount = 3;

// "base", "top", "bottom" and "dash", "zoop", "blow": the words a recording uses for them.
const char* stemName(Stem stem);
const char* cueName(Cue cue);
