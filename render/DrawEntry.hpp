#pragma once

#include "render/Batchable.hpp"

#include <SFML/Graphics/Drawable.hpp>

// One drawable of a screen: not owned; a larger layer is further back.
struct DrawEntry
{
    const sf::Drawable* drawable = nullptr;
    bool visible = true;
    int layer = 0;
    // The same object when it can be drawn in a batch with its neighbours; null when it draws on its own.
    const Batchable* batchable = nullptr;
};
