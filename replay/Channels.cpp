#include "replay/Channels.hpp"

const char* stemName(Stem stem)
{
    switch (stem)
    {
        case Stem::Base:
            return "base";
        case Stem::Top:
            return "top";
        case Stem::Bottom:
            return "bottom";
    }
    return "";
}

const char* cueName(Cue cue)
{
    switch (cue)
    {
        case Cue::Dash:
            return "dash";
        case Cue::Zoop:
            return "zoop";
        case Cue::Blow:
            return "blow";
    }
    return "";
}
