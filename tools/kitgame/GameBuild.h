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
    int removed = 0;
    int failed = 0;
    bool ok() const { return failed == 0; }
};

// Builds the game directory `out` from the source folder `src` (laid out like the game
// directory, sources under their own extensions; see GameSources.h). What each output was made
// from is kept in `out` (BuildRecord.h); an output is made again when it is missing, when the
// time or size of its source or of a file the source included differs from the record, or when
// the converters are newer. Outputs of the last build whose source is gone are removed. An
// output changed since the last build wrote it (by Tessel, say) is never replaced or removed:
// the build says so and fails when it would have replaced it, and keeps it with a warning when
// not. A source without game.id gets one in `out` from the source folder's name.
// Hidden files and folders, the folder `build` at the top and `out` itself are passed over.
// Each failure is written to `log` as "SOURCE: line N: reason" and the build goes on with the
// other files; a summary line follows.
BuildReport buildGame(const std::filesystem::path& src, const std::filesystem::path& out,
                      const BuildOptions& options, std::ostream& log);

}  // namespace kitgame
