#include "app/DisplayConnection.hpp"

#include <SFML/Window/Window.hpp>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

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

// A mode's rate from its timings, as xrandr reckons it; 0 for a mode without them.
double modeRate(const XRRModeInfo& mode)
{
    double lines = mode.vTotal;
    if ((mode.modeFlags & RR_DoubleScan) != 0)
        lines *= 2.;
    if ((mode.modeFlags & RR_Interlace) != 0)
        lines /= 2.;
    const double dots = static_cast<double>(mode.hTotal) * lines;
    return dots > 0. ? static_cast<double>(mode.dotClock) / dots : 0.;
}

double crtcRate(const XRRScreenResources& resources, RRMode mode)
{
    for (int i = 0; i < resources.nmode; ++i)
        if (resources.modes[i].id == mode)
            return modeRate(resources.modes[i]);
    return 0.;
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

double DisplayConnection::refreshRate(const sf::Window& window) const
{
    int eventBase = 0;
    int errorBase = 0;
    if (XRRQueryExtension(display, &eventBase, &errorBase) == 0)
        return 0.;
    const ::Window root = DefaultRootWindow(display);
    const sf::Vector2u size = window.getSize();
    int x = 0;
    int y = 0;
    ::Window child = 0;
    XTranslateCoordinates(display, window.getSystemHandle(), root, static_cast<int>(size.x / 2),
                          static_cast<int>(size.y / 2), &x, &y, &child);
    // The current layout, as the server has it: asking for a fresh probe of the outputs can take many frames.
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (resources == nullptr)
        return 0.;
    double shown = 0.;
    double first = 0.;
    for (int i = 0; i < resources->ncrtc; ++i)
    {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
        if (crtc == nullptr)
            continue;
        if (crtc->mode != None)
        {
            const double rate = crtcRate(*resources, crtc->mode);
            if (first == 0.)
                first = rate;
            if (x >= crtc->x && y >= crtc->y && x < crtc->x + static_cast<int>(crtc->width) &&
                y < crtc->y + static_cast<int>(crtc->height) && shown == 0.)
                shown = rate;
        }
        XRRFreeCrtcInfo(crtc);
    }
    XRRFreeScreenResources(resources);
    return shown > 0. ? shown : first;
}
