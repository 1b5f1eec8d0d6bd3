#include "engine/script/GameDataAccess.h"

#include "engine/core/Engine.h"

std::optional<std::string> CharacterName(const Engine&, std::int32_t) {
    return std::nullopt;
}

std::optional<std::string> CharacterPictureName(const Engine&, std::int32_t) {
    return std::nullopt;
}

std::int32_t CharacterCount(const Engine&) {
    return 0;
}

std::int32_t* PartySlot(Engine&, std::int32_t) {
    return nullptr;
}
