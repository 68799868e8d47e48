#pragma once

#include <string>

// Xlib's own name for its Display; declared here so the header does not pull Xlib's macros into every user.
struct _XDisplay; // NOLINT(bugprone-reserved-identifier)

// SFML aborts the process when it cannot reach the X server, so the game makes sure it can before opening
// its window. The connection is kept open until the window exists: this way no other client's closing can
// race the window's own connection.
class DisplayConnection
{
public:
    // Throws std::runtime_error naming the display when no X server answers.
    DisplayConnection();
    ~DisplayConnection();

    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;

private:
    _XDisplay* display = nullptr;
};
