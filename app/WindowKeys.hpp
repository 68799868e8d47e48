#pragma once

#include "app/WindowMode.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

class SoundLevels;

// The keys that act on the window and the sound rather than on the game, in every game: F11 or Alt+Enter switch
// between the window and fullscreen, M switches the sound off and on. They are noticed as the events are polled and
// carried out between frames, once the frame's picture is shown, so the game's state, its music and its clock go on
// as if nothing had happened; only the frame of the switch takes longer.
class WindowKeys
{
public:
    // Without sound levels M does nothing.
    WindowKeys(WindowMode mode, SoundLevels* sound);

    void notice(const sf::Event& event);
    // Does what was asked since the last call: opens the window again in the other mode, mutes or unmutes.
    void apply(sf::RenderWindow& window);

    const WindowMode& getMode() const { return mode; }

private:
    WindowMode mode;
    SoundLevels* sound;
    bool switchAsked = false;
    bool muteAsked = false;
};
