#pragma once

#include <string>
#include <vector>

// Writes mono 16-bit PCM at 44.1 kHz through SFML's sound-file writer; throws when the file cannot be written.
void writeWave(const std::string& path, const std::vector<float>& samples);

float peakOf(const std::vector<float>& samples);

// Ramps the first fadeIn and the last fadeOut seconds with a raised cosine, so the sound starts and stops at rest.
void fadeEnds(std::vector<float>& samples, double fadeIn, double fadeOut);
