#include "engine/script/GameDataAccess.h"

#include "engine/core/Engine.h"

namespace {

const CharRecord* FindCharacter(const Engine& engine, std::int32_t number) {
    if (number < 0 || static_cast<std::size_t>(number) >= engine.CharacterTable.size())
        return nullptr;
    return &engine.CharacterTable[static_cast<std::size_t>(number)];
}

}  // namespace

std::optional<std::string> CharacterName(const Engine& engine, std::int32_t number) {
    const CharRecord* record = FindCharacter(engine, number);
    if (!record) return std::nullopt;
    return std::string(record->name);
}

std::optional<std::string> CharacterPictureName(const Engine& engine, std::int32_t number) {
    const CharRecord* record = FindCharacter(engine, number);
    if (!record) return std::nullopt;
    return std::string(record->pictureName);
}

std::int32_t CharacterCount(const Engine& engine) {
    return static_cast<std::int32_t>(engine.CharacterTable.size());
}

std::int32_t* PartySlot(Engine& engine, std::int32_t slot) {
    if (slot < 0 || slot >= static_cast<std::int32_t>(engine.PartyLineup.size())) return nullptr;
    return &engine.PartyLineup[static_cast<std::size_t>(slot)];
}
