#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace kitgame {

// How one file of a game's source folder becomes a file of the game directory.
enum class SourceKind {
    Picture,       // .pic text -> .qdg picture
    Map,           // .map text -> .qd map
    Attributes,    // .attr text -> .qd tile attributes
    DataText,      // .dat UTF-8 text -> .qd Shift-JIS text
    Script,        // .src UTF-8 script source -> .sc compiled script
    Music,         // .notes note lists -> .mid
    SoundText,     // .sound description -> Kyrel project -> .wav
    SoundProject,  // .kyl Kyrel project -> .wav
    Credits,       // credits.txt UTF-8 -> credits.txt Shift-JIS
    Doors,         // .doors UTF-8 door list -> .dr door table
    Ready,         // a file already in the game's format (.qdg .qd .sc .mid .wav), copied
};

// The kind of a source file and the name of its output (relative to the source folder, like
// `relative`), or nothing for files the game does not use (.inc parts, notes, build scripts).
struct SourceRule {
    SourceKind kind;
    std::filesystem::path output;
};
std::optional<SourceRule> ruleFor(const std::filesystem::path& relative);

// One conversion: reads `source`, writes `output` whole or not at all. Sound effects are
// rendered from a Kyrel project; a description's project is written into `projectDir` first.
// Returns "" or the reason, naming the source line where there is one ("line 3: ...").
std::string convertSource(SourceKind kind, const std::filesystem::path& source,
                          const std::filesystem::path& output,
                          const std::filesystem::path& projectDir);

}  // namespace kitgame
