#pragma once

#include <string>

// Xlib's own name for its Display; declared here so the header does not pull Xlib's macros into every user.
struct _XDisplay; // NOLINT(bugprone-reserved-identifier)

namespace sf
{
class Window;
}

// SFML aborts the process when it cannot reach the X server, so the game makes sure it can before opening
// its window. The connection is kept open while the window exists: this way no other client's closing can
// race the window's own connection, and the display's questions cost no connection of their own.
class DisplayConnection
{
public:
    // Throws std::runtime_error naming the display when no X server answers.
    DisplayConnection();
    ~DisplayConnection();

    // The refresh rate, in Hz, of the screen that shows the middle of the window (or else of the first screen lit),
    // from XRandR; 0 when the server does not know it, as Xvfb, whose modes have no timings.
    double refreshRate(const sf::Window& window) const;

    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;

private:
    _XDisplay* display = nullptr;
};
