#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Dunmere's command line.
struct Options {
    bool headless = false;
    std::optional<std::filesystem::path> gameDir;
    std::optional<std::uint64_t> frames;
    std::optional<std::filesystem::path> inputFile;
    std::optional<std::uint32_t> seed;
    std::set<std::uint64_t> dumpFrames;
    std::filesystem::path dumpDir = ".";
    std::optional<std::filesystem::path> traceFile;
    std::optional<std::filesystem::path> recordFile;
    std::optional<std::filesystem::path> saveDir;
    bool mute = false;
    std::optional<std::filesystem::path> soundfont;
    std::optional<int> scale;
    bool fullscreen = false;
    bool debug = false;  // the debug view: F9 in a window, shown from the start headless
    bool help = false;
    // A debug start on a map cell instead of the title (--start-map NAME --at COLUMN,ROW).
    std::optional<std::string> startMap;  // UTF-8, as typed
    int startColumn = 0, startRow = 0;
};

// Parses the arguments after the program name. On failure returns nothing and sets `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

// The usage text (ends with a line break).
const char* UsageText();
