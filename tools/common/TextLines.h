#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tools {

// The lines of a text source, without their line ends (LF or CR LF); a last line without a line
// feed still counts.
inline std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace tools
