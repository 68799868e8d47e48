#pragma once

#include <SFML/Graphics/Drawable.hpp>

// One drawable of a screen: not owned; a larger layer is further back.
struct DrawEntry
{
    const sf::Drawable* drawable = nullptr;
    bool visible = true;
    int layer = 0;
};
