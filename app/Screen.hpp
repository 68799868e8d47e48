#pragma once

#include "kit/ActionMap.hpp"
#include "kit/MultiResourceCache.hpp"
#include "render/DrawList.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

// One mode of the program with its own frame loop. run returns the index of the screen to run next;
// a negative index, or one that names no screen, ends the program.
class Screen
{
public:
    // The key state answers the actions' held-key questions; the game reads the real keyboard.
    explicit Screen(kit::ActionMap::KeyState isKeyDown = &sf::Keyboard::isKeyPressed);

    virtual int run(sf::RenderWindow& window, kit::MultiResourceCache& cache) = 0;

    // Composes the frame on the canvas from the draw list and shows it in the window.
    void present(sf::RenderWindow& window);

protected:
    // Screens are never destroyed through a Screen pointer.
    ~Screen() = default;

    DrawList drawList;
    kit::ActionMap actions;
};
