#pragma once
#include <filesystem>
#include <iosfwd>
#include <optional>

namespace kitgame {

struct BuildOptions {
    // Where the Kyrel projects made from sound descriptions are kept (they open in Kyrel);
    // without one they go to a temporary folder that is removed afterwards.
    std::optional<std::filesystem::path> projectDir;
    // Outputs older than this are made again (the time the converters themselves last changed).
    std::filesystem::file_time_type convertersTime = std::filesystem::file_time_type::min();
};

struct BuildReport {
    int converted = 0;
    int upToDate = 0;
    int failed = 0;
    bool ok() const { return failed == 0; }
};

// Builds the game directory `out` from the source folder `src` (laid out like the game
// directory, sources under their own extensions; see GameSources.h). A file is converted only
// when its output is missing or older than the source, the converters or (pictures) any shared
// .inc part.
// Hidden files and folders, the folder `build` at the top and `out` itself are passed over.
// Each failure is written to `log` as "SOURCE: line N: reason" and the build goes on with the
// other files; a summary line follows.
BuildReport buildGame(const std::filesystem::path& src, const std::filesystem::path& out,
                      const BuildOptions& options, std::ostream& log);

}  // namespace kitgame
