// Ogg Vorbis writing, and reading a written file back to check what the game will hear.
#pragma once

#include "dsp.h"

#include <cstdint>
#include <filesystem>

namespace sndgen {

// Encodes at kRate with VBR `quality` (-0.1 .. 1). A fixed stream serial keeps files
// identical from build to build. Throws std::runtime_error on failure.
void write_ogg(const std::filesystem::path& file, const Audio& audio, float quality, std::uint32_t serial);

struct Decoded {
    double seconds = 0;
    double peak = 0;  // largest absolute sample after decoding
    double start = 0;  // largest absolute sample in the first half millisecond
    double end = 0;    // ... and in the last
};

// Decodes the file; throws std::runtime_error when it cannot be read.
Decoded read_back(const std::filesystem::path& file);

}  // namespace sndgen
