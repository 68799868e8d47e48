#include "support/WindowPicture.hpp"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdexcept>

namespace
{

// One channel of an X pixel as 8 bits, whatever the visual's mask for it.
sf::Uint8 channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1UL) == 0)
        ++shift;
    const unsigned long largest = mask >> shift;
    const unsigned long value = (pixel & mask) >> shift;
    return static_cast<sf::Uint8>(value * 255UL / largest);
}

} // namespace

WindowPicture::WindowPicture()
    : display(XOpenDisplay(nullptr))
{
    if (display == nullptr)
        throw std::runtime_error("WindowPicture: cannot open the display");
}

WindowPicture::~WindowPicture()
{
    XCloseDisplay(display);
}

sf::Image WindowPicture::take(sf::WindowHandle window) const
{
    sf::Image picture;
    // Reading an unmapped window is an X error, which would end the process.
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0 || attributes.map_state != IsViewable)
        return picture;
    XImage* shown = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (shown == nullptr)
        return picture;

    picture.create(static_cast<unsigned>(attributes.width), static_cast<unsigned>(attributes.height));
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x)
        {
            const unsigned long pixel = XGetPixel(shown, x, y);
            picture.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y),
                             sf::Color(channel(pixel, shown->red_mask), channel(pixel, shown->green_mask),
                                       channel(pixel, shown->blue_mask)));
        }
    XDestroyImage(shown);
    return picture;
}
