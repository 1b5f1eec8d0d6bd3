#include "tools/kitgame/TraceExpect.h"

namespace kitgame {

std::vector<std::string> readExpectations(std::string_view text) {
    std::vector<std::string> patterns;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        patterns.emplace_back(line);
    }
    return patterns;
}

std::optional<std::string> firstUnmet(const std::vector<std::string>& patterns,
                                      const std::vector<std::string>& events) {
    auto next = events.begin();
    for (const std::string& pattern : patterns) {
        while (next != events.end() && !next->starts_with(pattern)) ++next;
        if (next == events.end()) return pattern;
        ++next;
    }
    return std::nullopt;
}

}  // namespace kitgame
