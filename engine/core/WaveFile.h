#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/core/Platform.h"

// The outcome of reading a RIFF WAV file: the PCM format and data, or the message (UTF-8) that
// says why the file cannot be used.
struct WaveReadResult {
    std::string_view error;  // empty on success
    WaveFormat format;
    std::vector<std::uint8_t> data;
};

// Walks the RIFF chunks of a whole WAV file: the "RIFF" chunk of form "WAVE", the "fmt " chunk
// that must follow its form type directly, then the "data" chunk searched within the RIFF chunk.
// Reads never go past the end of the file: a chunk larger than the file is a short read.
WaveReadResult ReadWave(std::span<const std::uint8_t> file);
