#include "common/GamePath.h"
#include "engine/core/Engine.h"

std::filesystem::path AssetPath(const Engine& engine, std::string_view relativeName) {
    return kit::resolveGamePath(engine.gameDir, relativeName);
}

void NoteLoadFailure(const Engine& engine, std::string_view relativeName) {
    const std::filesystem::path tried = AssetPath(engine, relativeName);
    std::string shown = tried.lexically_relative(engine.gameDir).generic_string();
    if (shown.empty() || shown.starts_with("..")) shown = tried.string();
    engine.platform.NoteLoadFailure(shown);
}
