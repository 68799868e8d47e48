#pragma once

#include <filesystem>

// The folders where a player's own files go, as the XDG base directories name them: the variable when it holds an
// absolute path, otherwise the folder below the home folder. Each ends in the game's own folder, brindlewick/.
std::filesystem::path stateFolder();  // $XDG_STATE_HOME, ~/.local/state
std::filesystem::path configFolder(); // $XDG_CONFIG_HOME, ~/.config
