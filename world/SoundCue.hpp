#pragma once

// A short sound the world starts: the dash, the zoop, the blow. Playing restarts it if it is still playing.
// The world only ever starts its sounds, so this is all it sees of them; tests count the starts.
class SoundCue
{
public:
    virtual ~SoundCue() = default;
    virtual void play() = 0;
};
