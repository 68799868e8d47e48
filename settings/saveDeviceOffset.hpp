#pragma once

#include <stdexcept>
#include <string>

// Why a measured offset could not be saved, on one line.
class SettingsSaveError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Writes one output device's audio offset into the settings file at `path`, under [audio.device_offsets], and keeps
// every other line of the file as the player wrote it: the device's value is replaced in place where it has one,
// otherwise a line is added to the table, or the table to the end of the file (a file that is not there is made).
// The new file is written whole beside the old one and then renamed over it, so the file is never half written.
// Throws SettingsSaveError, leaving the file as it was, when the file does not parse or cannot be written.
void saveDeviceOffset(const std::string& path, const std::string& device, int offsetMs);
