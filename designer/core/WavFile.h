#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "designer/core/KyrelUi.h"
#include "designer/core/Synthesis.h"

namespace kyrel {

inline constexpr std::size_t kWavHeaderBytes = 44;

// A RIFF WAVE file: the 44-byte header ("RIFF", size, "WAVE", the 16-byte "fmt " record,
// "data", length) and the PCM data. No other chunk and no pad byte after odd data.
std::vector<std::uint8_t> wavFileBytes(const PcmFormat& format, std::span<const std::uint8_t> data);

// Writes the WAV file whole or not at all; a failure is reported through `ui`.
bool writeWav(KyrelUi& ui, const std::string& path, const PcmFormat& format,
              std::span<const std::uint8_t> data);

// The name CreateWavFile writes: the text after the last '.' of the file name becomes "wav"
// (the name's first character is not examined, so ".wav" stays). Dots in directory names
// never count. A file name without a dot stays unchanged.
std::string wavOutputName(const std::string& path);

// The name the Create WAV dialog suggests: the text after the first '.' becomes "wav"
// ("新規作成.kyl" gives "新規作成.wav"); a name without a dot is offered unchanged.
std::string suggestedWavName(const std::string& documentName);

}  // namespace kyrel
