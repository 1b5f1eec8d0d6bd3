#include "engine/platform/Options.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ParseFrameList(const std::string& text, std::set<std::uint64_t>& frames) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        std::uint64_t frame = 0;
        if (!ParseNumber(text.substr(start, comma - start), frame) || frame == 0) return false;
        frames.insert(frame);
        start = comma + 1;
    }
    return true;
}

// The switches without a value; false when `arg` is none of them.
bool ApplySwitch(Options& o, const std::string& arg) {
    if (arg == "--headless") {
        o.headless = true;
    } else if (arg == "--mute") {
        o.mute = true;
    } else if (arg == "--fullscreen") {
        o.fullscreen = true;
    } else if (arg == "--debug") {
        o.debug = true;
    } else if (arg == "--help" || arg == "-h") {
        o.help = true;
    } else {
        return false;
    }
    return true;
}

bool TakesValue(const std::string& arg) {
    static const std::set<std::string> kValueOptions = {
        "--game-dir", "--frames",    "--input",    "--seed",   "--dump-frames",
        "--dump-dir", "--trace",     "--save-dir", "--record", "--soundfont",
        "--scale",    "--start-map", "--at"};
    return kValueOptions.count(arg) != 0;
}

// The options that name a file or directory.
bool ApplyPath(Options& o, const std::string& arg, const std::string& v) {
    if (arg == "--game-dir") {
        o.gameDir = v;
    } else if (arg == "--input") {
        o.inputFile = v;
    } else if (arg == "--dump-dir") {
        o.dumpDir = v;
    } else if (arg == "--trace") {
        o.traceFile = v;
    } else if (arg == "--save-dir") {
        o.saveDir = v;
    } else if (arg == "--record") {
        o.recordFile = v;
    } else if (arg == "--soundfont") {
        o.soundfont = v;
    } else {
        return false;
    }
    return true;
}

// The options whose value is a number or a list of them; false (with `error`) for a bad value.
bool ApplyNumber(Options& o, const std::string& arg, const std::string& v, std::string& error) {
    if (arg == "--frames") {
        std::uint64_t n = 0;
        if (!ParseNumber(v, n) || n == 0) {
            error = "--frames needs a positive number, not '" + v + "'";
            return false;
        }
        o.frames = n;
    } else if (arg == "--seed") {
        std::uint32_t n = 0;
        if (!ParseNumber(v, n)) {
            error = "--seed needs a number from 0 to 4294967295, not '" + v + "'";
            return false;
        }
        o.seed = n;
    } else if (arg == "--dump-frames") {
        if (!ParseFrameList(v, o.dumpFrames)) {
            error = "--dump-frames needs frame numbers separated by commas, not '" + v + "'";
            return false;
        }
    } else if (arg == "--scale") {
        int n = 0;
        if (!ParseNumber(v, n) || n < 1 || n > 16) {
            error = "--scale needs a whole number from 1 to 16, not '" + v + "'";
            return false;
        }
        o.scale = n;
    }
    return true;
}

// --start-map NAME and --at COLUMN,ROW; false when `arg` is neither.
bool ApplyStartPlace(Options& o, const std::string& arg, const std::string& v, std::string& error) {
    if (arg == "--start-map") {
        if (v.empty()) error = "--start-map needs a map name";
        o.startMap = v;
        return true;
    }
    if (arg != "--at") return false;
    const std::size_t comma = v.find(',');
    int column = -1, row = -1;
    if (comma == std::string::npos || !ParseNumber(v.substr(0, comma), column) ||
        !ParseNumber(v.substr(comma + 1), row) || column < 0 || row < 0 || column > 0xFFFF ||
        row > 0xFFFF)
        error = "--at needs COLUMN,ROW, two numbers from 0 to 65535, not '" + v + "'";
    o.startColumn = column;
    o.startRow = row;
    return true;
}

}  // namespace

const char* UsageText() {
    return "usage: dunmere [--game-dir DIR] [--save-dir DIR] [--seed N] [--record FILE]\n"
           "               [--input FILE] [--frames N] [--mute] [--soundfont FILE] [--scale N]\n"
           "               [--fullscreen] [--debug]\n"
           "               [--start-map NAME --at COLUMN,ROW]\n"
           "       dunmere --headless [--game-dir DIR] [--save-dir DIR] [--frames N] [--input "
           "FILE]\n"
           "               [--seed N] [--dump-frames LIST] [--dump-dir DIR] [--trace FILE]\n"
           "               [--debug]\n"
           "\n"
           "  --game-dir DIR      the game's assets (default: the program's directory, or the\n"
           "                      installed sample game when that holds no game)\n"
           "  --save-dir DIR      where the saved games live (default: "
           "$XDG_DATA_HOME/dunmere/GAME;\n"
           "                      headless: kept in memory for the run)\n"
           "  --seed N            seed the random generator with N\n"
           "  --record FILE       write the keys of every frame to FILE\n"
           "  --input FILE        take the keys from FILE (lines \"FRAME KEY...\")\n"
           "  --frames N          stop after frame N\n"
           "  --mute              run without the sound device\n"
           "  --soundfont FILE    the soundfont for the music\n"
           "  --scale N           window scale factor (default 3)\n"
           "  --fullscreen        start in full screen\n"
           "  --start-map NAME    debug start: skip the title, play from map Mt/NAME\n"
           "  --at COLUMN,ROW     the cell the party starts on (with --start-map)\n"
           "  --debug             F9 shows the game's variables, switches and scripts over the\n"
           "                      game (headless: shown in every frame)\n"
           "  --headless          no window, sound or sleeping; a virtual 16 ms clock\n"
           "  --dump-frames LIST  write the visible page after the listed frames as PNG files\n"
           "  --dump-dir DIR      where the frame dumps go (default .)\n"
           "  --trace FILE        write message boxes, sounds and the quit to FILE\n";
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (ApplySwitch(o, arg)) continue;
        if (!TakesValue(arg)) {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = arg + " needs a value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (ApplyStartPlace(o, arg, value, error)) {
            if (!error.empty()) return std::nullopt;
            continue;
        }
        if (!ApplyPath(o, arg, value) && !ApplyNumber(o, arg, value, error)) return std::nullopt;
    }
    const bool atGiven = std::find(args.begin(), args.end(), "--at") != args.end();
    if (o.startMap.has_value() != atGiven) {
        error = "--start-map and --at go together";
        return std::nullopt;
    }
    if (!o.headless && (!o.dumpFrames.empty() || o.traceFile)) {
        error = "--dump-frames and --trace need --headless";
        return std::nullopt;
    }
    return o;
}
