#pragma once

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

// Draws the finalised picture at the largest whole factor that fits the target, every picture pixel a sharp block,
// centred; a picture that leaves part of the target uncovered is drawn on black. A target of three times the
// picture's size is covered from its top left, as the game's window is.
void drawEnlarged(sf::RenderTarget& target, sf::RenderTexture& picture);

// Shows the picture enlarged in the window that way and displays it.
void presentCanvas(sf::RenderWindow& window, sf::RenderTexture& picture);

// The barely perceptible grey flicker laid over every frame: a grey sheet of alpha 0 or 1, drawn anew each time.
void drawFlicker(sf::RenderTarget& target);
