#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Window/WindowHandle.hpp>

// Xlib's own name for its Display; declared here so the header does not pull Xlib's macros into the tests.
struct _XDisplay; // NOLINT(bugprone-reserved-identifier)

// What the X server shows in a window, read as a screenshot tool reads it: the picture the player sees once the
// frame has been presented. Reading through OpenGL would not do: after the buffer swap the back buffer is undefined,
// and Mesa's software renderer reads the front buffer as black.
class WindowPicture
{
public:
    // Opens a connection of its own, kept for every picture taken; throws std::runtime_error without a display.
    WindowPicture();
    ~WindowPicture();

    WindowPicture(const WindowPicture&) = delete;
    WindowPicture& operator=(const WindowPicture&) = delete;

    // The window's whole picture, top row first; an empty image when the window is not on the screen.
    sf::Image take(sf::WindowHandle window) const;

private:
    _XDisplay* display = nullptr;
};
