#include "clip/GameFrameSource.hpp"

#include <stdexcept>

// The replay layer brings the readers of recordings and input scripts and the driver that plays them frame by
// frame; this is where --render meets it.
std::unique_ptr<GameFrameSource> openGameFrames(const std::string& path)
{
    throw std::runtime_error("Cannot render \"" + path + "\": this build has no reader for recordings or scripts");
}
