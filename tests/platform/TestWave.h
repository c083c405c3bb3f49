#pragma once

#include <string>

// Writes a tone of the given length with libsndfile; `format` is an SF_FORMAT_* major |
// subtype pair. A short burst followed by silence when `burstMs` is below `totalMs`.
bool writeTestWave(const std::string& path, int format, int rate, int channels, int totalMs,
                   int burstMs);
