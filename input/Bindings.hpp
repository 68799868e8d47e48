#pragma once

#include "kit/ActionMap.hpp"

// "close": the window's close button, or Escape held down. Every screen has it.
void bindCloseAction(kit::ActionMap& actions);

// The main screen's actions: "up key", "down key", "left key", "right key" (arrow or W/S/A/D pressed), "move key"
// (any of those four), "love" (a Shift pressed) and "unlove" (a Shift released).
void bindMainActions(kit::ActionMap& actions);
