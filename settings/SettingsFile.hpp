#pragma once

#include "settings/PlayerSettings.hpp"

#include <filesystem>
#include <string>
#include <vector>

// The player's settings file: $XDG_CONFIG_HOME/brindlewick/settings.toml (~/.config/brindlewick/settings.toml).
std::filesystem::path defaultSettingsPath();

// Reads a settings file. Each thing wrong in it (a file that does not parse, an unknown key, a value of the wrong
// type or out of range, an unknown key name, one key on two actions) is one line in `problems`, naming the file,
// the line and what is wrong; only the settings concerned keep their defaults, and the rest of the file is used.
// A file that is not there is no problem unless the player named it (`named`).
PlayerSettings readSettings(const std::string& path, bool named, std::vector<std::string>& problems);

// The keys that act on the window and the sound in every game, which no action may take: F11 and M.
bool isWindowKey(sf::Keyboard::Key key);
