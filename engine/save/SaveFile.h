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
//   offset 20           payload: the fields of the version, in order (SaveFile.cpp writes them;
//                       strings and byte blocks are a u32 length and the bytes)
//
// Each version adds to the payload of the one before; a reader takes every version from 1 to
// kSaveVersion and leaves what an older one lacks at its default:
//
//   1  the summary (leader's name, map name, play time), then the game
//   2  ahead of the summary, the identity of the game that wrote the save (GameIdentity.h;
//      empty when that game had none), so that one game never loads another's save
//   3  after the rest, what the game remembers (MemoryFields.h): the game variables, switches,
//      the field's music and the next battle's rules; older saves load with all of it empty
//   4  after the rest, the party's items and gold and every character's level, experience,
//      maxima and stats (HoldingsFields.h); older saves load with no items, no gold and the
//      characters as their files describe them
//
// A reader refuses anything it cannot vouch for: another signature, a newer version, a size or
// checksum that does not match, a field that runs past the end or bytes left over. Whether the
// decoded fields make a game this engine can play is CheckGame's question (SaveSnapshot.h).
namespace save {

inline constexpr std::uint32_t kVersionFirst = 1;
inline constexpr std::uint32_t kVersionGameIdentity = 2;
inline constexpr std::uint32_t kVersionGameMemory = 3;
inline constexpr std::uint32_t kVersionHoldings = 4;
inline constexpr std::uint32_t kSaveVersion = kVersionHoldings;
inline constexpr std::size_t kHeaderSize = 20;

// The file of `game` in format `version` (older versions serve tests and the fuzzer).
std::vector<std::uint8_t> EncodeSave(const Game& game, std::uint32_t version = kSaveVersion);

// zlib's CRC-32 of `bytes`: the check of a save's payload, also the tag of a game's save folder.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

// The game in `bytes`, or nothing with a short English reason in `why`.
std::optional<Game> DecodeSave(std::span<const std::uint8_t> bytes, std::string* why = nullptr);

}  // namespace save
