#include "app/DisplayConnection.hpp"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace
{

// Xlib ends the process itself when the X server goes away; say why first. It must not return.
int reportLostDisplay(Display*)
{
    std::fputs("brindlewick: Lost the connection to the display; the game cannot go on without its window\n", stderr);
    std::_Exit(1);
}

} // namespace

DisplayConnection::DisplayConnection()
    : display(XOpenDisplay(nullptr))
{
    XSetIOErrorHandler(reportLostDisplay);
    if (display == nullptr)
    {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == '\0')
            throw std::runtime_error("No display: DISPLAY is not set, so there is no screen to open the window on");
        throw std::runtime_error(std::string("Cannot open the display \"") + name +
                                 "\": is an X server running there?");
    }
}

DisplayConnection::~DisplayConnection()
{
    if (display != nullptr)
        XCloseDisplay(display);
}
