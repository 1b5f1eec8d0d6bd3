#include "common/GamePath.h"
#include "engine/core/Engine.h"

std::filesystem::path AssetPath(const Engine& engine, std::string_view relativeName) {
    return kit::resolveGamePath(engine.gameDir, relativeName);
}
