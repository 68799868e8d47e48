#pragma once

#include "app/DisplayConnection.hpp"
#include "app/WindowMode.hpp"
#include "assets/MediaFolder.hpp"
#include "settings/PlayerSettings.hpp"

#include <string>

// --calibrate: the calibration screen in a window of `mode` on the display, then, when the player pressed Enter, the
// measured offset saved for the output device into the settings file at `settingsPath`. Returns the exit status: 0 when
// it was saved or the player left, 1 when it could not be saved (the measured value and the reason are said on stderr).
int runCalibration(const MediaFolder& media, const PlayerSettings& settings, const WindowMode& mode,
                   const std::string& settingsPath, const DisplayConnection& display);
