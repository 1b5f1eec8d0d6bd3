#include "engine/platform/GameDirectory.h"

#include <system_error>

std::filesystem::path DefaultGameDirectory(const std::filesystem::path& programDir) {
    std::error_code ec;
    if (std::filesystem::exists(programDir / "ev" / "START.sc", ec)) return programDir;
    const auto sample = programDir.parent_path() / "share" / "dunmere" / "sample-game";
    if (std::filesystem::is_directory(sample, ec)) return sample;
    return programDir;
}
