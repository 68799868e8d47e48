#include "app/Settings.hpp"

sf::RenderTexture& canvas()
{
    // Made on first use rather than before main: a render texture reaches for the display as it is constructed,
    // and SFML aborts when there is none, before the game could say so.
    static sf::RenderTexture picture;
    return picture;
}
