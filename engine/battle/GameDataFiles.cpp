#include "engine/battle/GameDataFiles.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "engine/battle/GameData.h"
#include "engine/core/Engine.h"

namespace {

// The text data files are a few kilobytes; a file beyond this is damaged, not data.
constexpr std::uintmax_t kMaxDataFileBytes = 1u << 20;

std::string CharacterFileName(long n) {
    char name[64];
    std::snprintf(name, sizeof name, "Schr\\schr%ld.qd", n);
    return name;
}

bool DataFileOpens(const Engine& engine, std::string_view relativeName) {
    std::ifstream file(AssetPath(engine, relativeName), std::ios::binary);
    return file.is_open();
}

}  // namespace

std::optional<std::string> ReadGameDataFile(const Engine& engine, std::string_view relativeName) {
    std::ifstream file(AssetPath(engine, relativeName), std::ios::binary);
    if (!file.is_open()) return std::nullopt;
    std::string text;
    char buffer[4096];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(file.gcount()));
        if (text.size() > kMaxDataFileBytes) return std::nullopt;
    }
    // Files written on Windows end their lines in CR LF: a line end is a line end.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            text[kept++] = text[i];
    text.resize(kept);
    return text;
}

void LoadSkillTable(Engine& engine) {
    RegisterShutdown(engine, ShutdownStep::SkillTable, FreeSkillTable);
    const std::string name = "Dtbs\\wzDt.qd";
    const auto text = ReadGameDataFile(engine, name);
    if (!text) {
        ErrorBox(engine, ModuleDir(engine) + name);
        NoteLoadFailure(engine, name);
        engine.SkillTable.clear();
        return;
    }
    engine.SkillTable = ParseSkillTable(*text);
}

void LoadCharacterTable(Engine& engine) {
    RegisterShutdown(engine, ShutdownStep::CharacterTable, FreeCharacterTable);
    long count = 0;
    while (DataFileOpens(engine, CharacterFileName(count))) ++count;
    engine.CharacterTable.assign(static_cast<std::size_t>(count), CharRecord{});
    for (long n = 0; n < count; ++n) {
        const std::string name = CharacterFileName(n);
        const auto text = ReadGameDataFile(engine, name);
        if (!text) {
            ErrorBox(engine, ModuleDir(engine) + name);
            NoteLoadFailure(engine, name);
            return;
        }
        std::string problem;
        ParseCharacter(*text, engine.CharacterTable[static_cast<std::size_t>(n)], &problem);
        if (!problem.empty()) ErrorBox(engine, name + ": " + problem);
    }
}

void FreeCharacterTable(Engine& engine) {
    engine.CharacterTable.clear();
    engine.CharacterTable.shrink_to_fit();
}

void FreeSkillTable(Engine& engine) {
    engine.SkillTable.clear();
    engine.SkillTable.shrink_to_fit();
}
