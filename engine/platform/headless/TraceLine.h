#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One line of the headless trace, "FRAME EVENT[ DETAILS]": `3 effect 0 SE\cur0`, `12 box
// CAPTION|TEXT`, `4490 quit`. The event is its first word (box, text, effect, music,
// music-stop, quit); the details are the rest of the line as written, escapes kept.
struct TraceLine {
    std::uint64_t frame = 0;
    std::string event;
    std::string details;

    // The line without its frame number: "effect 0 SE\cur0".
    std::string WithoutFrame() const { return details.empty() ? event : event + " " + details; }
    bool IsMessageBox() const { return event == "box"; }
};

// Reads one trace line; nothing when it does not start with a frame number, one space and an
// event.
std::optional<TraceLine> ParseTraceLine(std::string_view line);
