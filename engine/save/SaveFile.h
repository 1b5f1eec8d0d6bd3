#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/save/SaveData.h"

// The save file: little-endian throughout.
//
//   offset 0   8 bytes  signature "DUNSAVE" and 0x1A
//   offset 8   u32      format version (kSaveVersion)
//   offset 12  u32      payload size in bytes
//   offset 16  u32      CRC-32 of the payload (zlib's)
//   offset 20           payload: the summary first, then the game (SaveFile.cpp writes the
//                       fields in order; strings and byte blocks are a u32 length and the bytes)
//
// A reader refuses anything it cannot vouch for: another signature, a newer version, a size or
// checksum that does not match, a field that runs past the end or bytes left over.
namespace save {

inline constexpr std::uint32_t kSaveVersion = 1;
inline constexpr std::size_t kHeaderSize = 20;

std::vector<std::uint8_t> EncodeSave(const Game& game);

// zlib's CRC-32 of `bytes`: the check of a save's payload, also the tag of a game's save folder.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

// The game in `bytes`, or nothing with a short English reason in `why`.
std::optional<Game> DecodeSave(std::span<const std::uint8_t> bytes, std::string* why = nullptr);

}  // namespace save
