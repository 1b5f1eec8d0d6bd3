#pragma once
#include <filesystem>
#include <string>

// A game's identity: what its saves record, so that a save is loaded only by the game that wrote
// it, and what names its save store where several games share one place (a web site's storage).
//
// The first line of the file `game.id` in the game directory when it holds 1 to 64 printable
// ASCII characters (kit-game writes one into every game it makes, and copies it into the build);
// otherwise "start-" and eight hex digits of the CRC-32 of ev/START.sc, so that a game made by
// hand still has one; "" when neither can be read. The result is always safe as a file or store
// name: letters, digits, '-', '_' and '.' only (anything else in game.id becomes '_').
namespace save {

inline constexpr const char* kGameIdFile = "game.id";
inline constexpr std::size_t kMaxGameIdLength = 64;

std::string GameIdentity(const std::filesystem::path& gameDir);

}  // namespace save
