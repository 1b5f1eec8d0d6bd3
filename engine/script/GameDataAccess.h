#pragma once
#include <cstdint>
#include <optional>
#include <string>

struct Engine;

// What the scripts read and write of the game data files: character names, picture names and
// the party line-up.

// The name of character `number`, or nothing when there is no such character.
std::optional<std::string> CharacterName(const Engine& engine, std::int32_t number);
// The picture base name of character `number`, or nothing when there is no such character.
std::optional<std::string> CharacterPictureName(const Engine& engine, std::int32_t number);
// The number of characters loaded.
std::int32_t CharacterCount(const Engine& engine);
// Party slot 0..3 of the line-up, or nothing outside it.
std::int32_t* PartySlot(Engine& engine, std::int32_t slot);
