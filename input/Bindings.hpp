#pragma once

#include "kit/ActionMap.hpp"

// "close": the window's close button, or Escape or a pad's Back button held down. Every screen has it.
void bindCloseAction(kit::ActionMap& actions);

// The main screen's actions: "up key", "down key", "left key", "right key" (arrow or W/S/A/D pressed, or a pad's
// D-pad or left stick pushed that way), "move key" (any of those four), "love" (a Shift, or a pad's south or
// shoulder button, pressed) and "unlove" (one of those released).
void bindMainActions(kit::ActionMap& actions);
