#include "app/Settings.hpp"

// Kept apart from the other settings: constructing a render texture opens the display, and a program that only needs
// the folder names (the unit tests) must not link this in.
sf::RenderTexture canvas;
