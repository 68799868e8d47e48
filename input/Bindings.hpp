#pragma once

#include "input/Controls.hpp"
#include "kit/ActionMap.hpp"

// "close": the window's close button, or a close key or pad button held down (Escape, Back). Every screen has it.
void bindCloseAction(kit::ActionMap& actions, const Controls& controls = Controls());

// The main screen's actions: "up key", "down key", "left key", "right key" (one of that direction's keys pressed, or
// a pad's D-pad or left stick pushed that way), "move key" (any of those four), "love" (a love key or pad button
// pressed: Shift, a pad's south or shoulder button) and "unlove" (one of those released).
void bindMainActions(kit::ActionMap& actions, const Controls& controls = Controls());
