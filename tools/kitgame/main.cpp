// kit-game: makes, builds, plays and checks a game from its source folder.
//   kit-game new DIR
//   kit-game build SRC OUT [--projects DIR]
//   kit-game play SRC [DUNMERE-OPTION...]
//   kit-game check SRC INPUT [--expect FILE] [DUNMERE-OPTION...]
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/platform/headless/TraceLine.h"
#include "tools/kitgame/GameBuild.h"
#include "tools/kitgame/GameExport.h"
#include "tools/kitgame/GameTemplate.h"
#include "tools/kitgame/TraceExpect.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFailed = 1;
constexpr int kUsageError = 2;
// The engine's status after an orderly end (F12 or the frame limit).
constexpr int kDunmereOrderlyEnd = 1;
// A replay without F12 stops this many frames after the input's last line.
constexpr long kFramesAfterInput = 120;

constexpr const char* kUsage =
    "usage: kit-game new DIR                      a new game's source folder\n"
    "       kit-game build SRC OUT [--projects DIR]\n"
    "                                             builds the game directory OUT from SRC\n"
    "       kit-game play SRC [OPTION...]         builds SRC/build and plays it\n"
    "       kit-game check SRC INPUT [OPTION...]  builds SRC/build, replays INPUT headless and\n"
    "                                             prints the trace; --expect FILE: fails\n"
    "                                             unless it shows FILE's lines in order\n"
    "       kit-game export --web|--linux SRC OUT [--built DIR]\n"
    "                                             the web page (OUT.zip or a folder) or a Linux\n"
    "                                             folder (OUT.tar.gz) with the game\n"
    "OPTIONs go to dunmere (play: --scale 2, --mute ...; check: --seed N, --frames N ...).\n";

int usage() {
    std::fputs(kUsage, stderr);
    return kUsageError;
}

// Dunmere lives beside kit-game, in the kit's build and when installed.
fs::path dunmereProgram() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path("dunmere") : self.parent_path() / "dunmere";
}

// A new kit-game (new converters) makes every file again.
bool build(const fs::path& src, const fs::path& out, kitgame::BuildOptions options) {
    std::error_code ec;
    const auto changed = fs::last_write_time("/proc/self/exe", ec);
    if (!ec) options.convertersTime = changed;
    return kitgame::buildGame(src, out, options, std::cerr).ok();
}

bool hasOption(const std::vector<std::string>& args, const std::string& name) {
    for (const std::string& arg : args)
        if (arg == name) return true;
    return false;
}

// The last frame an input file names (lines "FRAME KEY..."; '#' starts a comment).
long lastInputFrame(const fs::path& input) {
    std::ifstream in(input);
    long last = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line.substr(0, line.find('#')));
        long frame = 0;
        if (words >> frame) last = std::max(last, frame);
    }
    return last;
}

int runProgram(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[0], argv.data());
        std::fprintf(stderr, "kit-game: cannot start %s\n", argv[0]);
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int play(const fs::path& src, std::vector<std::string> extra) {
    const fs::path out = src / "build";
    if (!build(src, out, {})) return kFailed;
    std::vector<std::string> args = {dunmereProgram().string(), "--game-dir", out.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return runProgram(args);
}

// Takes `--expect FILE` out of the options that go to dunmere; false when FILE is missing.
bool takeExpectFile(std::vector<std::string>& extra, std::optional<fs::path>& expect) {
    const auto at = std::find(extra.begin(), extra.end(), "--expect");
    if (at == extra.end()) return true;
    if (at + 1 == extra.end()) {
        std::fprintf(stderr, "kit-game: --expect needs a file\n");
        return false;
    }
    expect = *(at + 1);
    extra.erase(at, at + 2);
    return true;
}

// Whether the trace shows the expect file's lines in order; names the first it does not.
bool expectationsMet(const fs::path& expectFile, const std::vector<std::string>& events) {
    std::ifstream in(expectFile, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "kit-game: cannot read %s\n", expectFile.c_str());
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto unmet = kitgame::firstUnmet(kitgame::readExpectations(text), events);
    if (unmet)
        std::fprintf(stderr, "kit-game: the trace has no line \"%s\" after the lines before it\n",
                     unmet->c_str());
    return !unmet;
}

// Replays the input headless and prints the trace. Succeeds when the game ended in order, showed
// no message box and, with --expect FILE, showed FILE's lines in order.
int check(const fs::path& src, const fs::path& input, std::vector<std::string> extra) {
    std::error_code ec;
    std::optional<fs::path> expect;
    if (!takeExpectFile(extra, expect)) return kFailed;
    if (!fs::is_regular_file(input, ec)) {
        std::fprintf(stderr, "kit-game: cannot read %s\n", input.c_str());
        return kFailed;
    }
    const fs::path out = src / "build";
    if (!build(src, out, {})) return kFailed;
    const fs::path trace =
        fs::temp_directory_path() / ("kit-game-trace-" + std::to_string(getpid()) + ".txt");
    std::vector<std::string> args = {dunmereProgram().string(),
                                     "--headless",
                                     "--game-dir",
                                     out.string(),
                                     "--input",
                                     input.string(),
                                     "--trace",
                                     trace.string()};
    if (!hasOption(extra, "--seed")) args.insert(args.end(), {"--seed", "1"});
    if (!hasOption(extra, "--frames"))
        args.insert(args.end(),
                    {"--frames", std::to_string(lastInputFrame(input) + kFramesAfterInput)});
    args.insert(args.end(), extra.begin(), extra.end());
    const int status = runProgram(args);
    bool boxShown = false;
    std::vector<std::string> events;  // without their frame numbers
    std::ifstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        std::cout << line << '\n';
        const std::optional<TraceLine> event = ParseTraceLine(line);
        boxShown = boxShown || (event && event->IsMessageBox());
        if (event) events.push_back(event->WithoutFrame());
    }
    std::cout.flush();
    fs::remove(trace, ec);
    if (status != kDunmereOrderlyEnd)
        std::fprintf(stderr, "kit-game: dunmere ended with %d\n", status);
    const bool expected = !expect || expectationsMet(*expect, events);
    return status == kDunmereOrderlyEnd && !boxShown && expected ? 0 : kFailed;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string command = args.empty() ? "" : args[0];
    if (command == "new" && args.size() == 2) {
        if (std::string why = kitgame::writeNewGame(args[1]); !why.empty()) {
            std::fprintf(stderr, "kit-game: %s\n", why.c_str());
            return kFailed;
        }
        std::fprintf(stderr, "kit-game: a new game in %s; play it with: kit-game play %s\n",
                     args[1].c_str(), args[1].c_str());
        return 0;
    }
    if (command == "build" && (args.size() == 3 || (args.size() == 5 && args[3] == "--projects"))) {
        kitgame::BuildOptions options;
        if (args.size() == 5) options.projectDir = args[4];
        return build(args[1], args[2], options) ? 0 : kFailed;
    }
    if (command == "play" && args.size() >= 2)
        return play(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
    if (command == "check" && args.size() >= 3)
        return check(args[1], args[2], std::vector<std::string>(args.begin() + 3, args.end()));
    if (command == "export")
        return kitgame::exportGame(
            {args.begin() + 1, args.end()},
            {dunmereProgram().parent_path(),
             [](const fs::path& s, const fs::path& o) { return build(s, o, {}); }},
            std::cerr);
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    return usage();
}
