#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kitgame {

// The patterns of an expect file (`kit-game check ... --expect FILE`): one a line, UTF-8, as the
// trace writes its lines without the frame number (`battle end won`, `text 村人「ありがとう`).
// Blank lines and lines starting with '#' are skipped; a CR before the line feed is dropped.
std::vector<std::string> readExpectations(std::string_view text);

// The first pattern the trace does not show in order, or nothing when every one is there: each
// pattern must begin a trace event after the one the pattern before it matched. `events` are
// the trace's lines without their frame numbers.
std::optional<std::string> firstUnmet(const std::vector<std::string>& patterns,
                                      const std::vector<std::string>& events);

}  // namespace kitgame
