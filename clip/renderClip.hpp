#pragma once

#include <string>

// --render: plays FILE back frame by frame and writes its picture and sound to an MP4 at `output`.
// Refuses to replace an existing output unless `force`. Returns the exit status; problems are one line on stderr.
int renderClip(const std::string& input, const std::string& output, bool force);
