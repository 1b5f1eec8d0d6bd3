#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kitgame {

// A file as a build saw it: its last write time (nanoseconds since 1970) and its size.
struct FileStamp {
    std::int64_t time = 0;
    std::uintmax_t size = 0;
    bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> stampOf(const std::filesystem::path& path);
std::int64_t stampTime(std::filesystem::file_time_type time);


// One output of the last build: its source (relative to the source folder; empty for a file
// kit-game writes by itself), the output's stamp and checksum as that build left it, and the
// stamps of the files it was made from (the source, then every file the source included).
struct BuiltFile {
    std::filesystem::path source;
    FileStamp written;
    std::uint32_t checksum = 0;  // CRC-32 of the output's bytes as written
    std::vector<std::pair<std::filesystem::path, FileStamp>> inputs;
    bool operator==(const BuiltFile&) const = default;
};

// Whether the file still holds what the last build wrote into it: its stamp as recorded, or
// else (copied, touched) the same bytes.
bool unchangedSinceBuilt(const std::filesystem::path& path, const BuiltFile& built);
// The CRC-32 of a file's bytes; nothing when it cannot be read.
std::optional<std::uint32_t> checksumOf(const std::filesystem::path& path);

// Every output of the last build, by its path relative to the game directory.
using BuildRecord = std::map<std::filesystem::path, BuiltFile>;

// The record's file in the game directory. Hidden, so a build inside the source folder and the
// game itself pass it over.
inline constexpr const char* kBuildRecordName = ".kit-game-build";

// The record's text: a first line "kit-game build record 1", then one line an output, fields
// separated by tabs: OUTPUT SOURCE TIME SIZE CRC32, then INPUT TIME SIZE for each input. Paths that
// hold a tab or a line break are left out (their outputs are simply made again).
std::string formatBuildRecord(const BuildRecord& record);
// Reads the text back; lines that do not read are passed over, and a text without the first
// line reads as an empty record.
BuildRecord parseBuildRecord(std::string_view text);

}  // namespace kitgame
