#pragma once

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

// Draws the finalised picture three times enlarged, every picture pixel a sharp 3x3 block, at the target's top left.
void drawEnlarged(sf::RenderTarget& target, sf::RenderTexture& picture);

// Shows the picture three times enlarged in the window, every picture pixel a sharp 3x3 block, and displays it.
void presentCanvas(sf::RenderWindow& window, sf::RenderTexture& picture);

// The barely perceptible grey flicker laid over every frame: a grey sheet of alpha 0 or 1, drawn anew each time.
void drawFlicker(sf::RenderTarget& target);
