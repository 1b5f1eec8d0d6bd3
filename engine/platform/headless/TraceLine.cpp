#include "engine/platform/headless/TraceLine.h"

#include <charconv>

std::optional<TraceLine> ParseTraceLine(std::string_view line) {
    TraceLine parsed;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), parsed.frame);
    if (error != std::errc() || end == line.data() || end == line.data() + line.size() ||
        *end != ' ')
        return std::nullopt;
    const std::string_view rest = line.substr(static_cast<std::size_t>(end - line.data()) + 1);
    const std::size_t space = rest.find(' ');
    parsed.event = std::string(rest.substr(0, space));
    if (parsed.event.empty()) return std::nullopt;
    if (space != std::string_view::npos) parsed.details = std::string(rest.substr(space + 1));
    return parsed;
}
