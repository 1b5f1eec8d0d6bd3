#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "designer/core/SoundDesign.h"

namespace kyrel {

// The project file (.kyl): "KY", a version digit, 0, then the document's words little-endian.
inline constexpr std::size_t kProjectHeaderBytes = 4;
inline constexpr std::size_t kVersion0SettingsBytes = 128;  // words 0 ... 31 of the settings
inline constexpr std::size_t kProjectFileBytes =
    kProjectHeaderBytes + kTracksBytes + kSettingsBytes;
inline constexpr std::uint8_t kProjectSignatureV1[4] = {0x4B, 0x59, 0x31, 0x00};

// Fills `design` as New does: track 0 used, a sine period in every waveform curve, 8-bit mono
// 22050 Hz, 1000 ms. (The application's newDocument also resets names and undo rings.)
void resetDesign(SoundDesign& design);

// The whole project file as saved (version '1').
std::vector<std::uint8_t> projectFileBytes(const SoundDesign& design);

enum class ProjectReadResult { Ok, NotKyrelFile, UnsupportedVersion, Damaged };

// Reads a project file's bytes into `design`. A file that ends before its layout does, or holds
// a value no saved document can hold (a length, format, track volume or spread outside its
// range), is Damaged. On any result but Ok the design is untouched. Version '0' files hold only
// the first 32 settings words; the others keep their values. Does not touch modified,
// currentTrack or renderStale (loadProject does).
ProjectReadResult readProjectBytes(SoundDesign& design, std::span<const std::uint8_t> file);

}  // namespace kyrel
