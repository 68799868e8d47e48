#pragma once

#include "assets/MediaFolder.hpp"

#include <string>

// --render: plays FILE back frame by frame with the media of `media` and writes its picture and sound to an MP4 at
// `output`. Refuses to replace an existing output unless `force`. Returns the exit status; problems are one line on
// stderr.
int renderClip(const std::string& input, const std::string& output, bool force, const MediaFolder& media);
