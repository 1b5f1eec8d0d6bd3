#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kitgame {

// One conversion of a source file into a file of the game directory.
struct Conversion {
    std::filesystem::path source;
    std::filesystem::path output;
    // Where a sound description's Kyrel project is written (it opens in Kyrel).
    std::filesystem::path projectDir;
    // Filled in: every other file the source read (a picture's included parts).
    std::vector<std::filesystem::path> included;
    // Filled in: what the build prints and goes on after ("line 3, column 1: warning: ...").
    std::vector<std::string> warnings;
};

// Reads conversion.source and writes conversion.output whole or not at all. Returns "" or the
// reason, naming the source line where there is one ("line 3: ...").
using Converter = std::string (*)(Conversion& conversion);

// How one kind of file of a game's source folder becomes a file of the game directory.
struct SourceKind {
    const char* name;       // the file name's ending (".pic"), or a whole name at the top
    const char* outputEnd;  // the output's ending in place of `name`; "" keeps the name
    Converter convert;
};

// The kind of a source file and the name of its output (relative to the source folder, like
// `relative`), or nothing for files the game does not use (.inc parts, notes, build scripts).
struct SourceRule {
    const SourceKind* kind;
    std::filesystem::path output;
};
std::optional<SourceRule> ruleFor(const std::filesystem::path& relative);

// A Tiled map's second output: the tile set's attributes its tiles' `blocks` give
// (Smt/sMatT.qd), or nothing when no tile has the property or the map does not read (its map
// job reports that).
std::optional<SourceRule> tileAttributesRuleFor(const std::filesystem::path& source);

// Two sources that make the same output: "" when both make tile attributes that agree on every
// tile's blocking (the game sees no difference), else why they cannot both stand, after the
// second source's name ("makes Smt/sMat0.qd like ...; keep only one").
std::string clashBetween(const std::filesystem::path& first, const SourceRule& firstRule,
                         const std::filesystem::path& second, const SourceRule& secondRule);
bool isTiledAttributes(const SourceRule& rule);

// Runs the rule's converter, making the output's folder first.
std::string convertSource(const SourceKind& kind, Conversion& conversion);

}  // namespace kitgame
