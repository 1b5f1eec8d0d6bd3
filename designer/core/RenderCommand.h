#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace kyrel {

// True when the command line asks for the render without a window ("--render" among `args`,
// the arguments after the program name).
bool isRenderCommand(const std::vector<std::string>& args);

// kyrel --render [PROJECT.kyl] OUT.wav [--seed N] [--normalize]: renders the project (or a new
// document) exactly as Create WAV file does and writes OUT.wav; --normalize first levels it as
// 音量を揃える does. Messages go to `err` (UTF-8), and so
// does a progress bar when `showProgress` is set (standard error is a terminal).
// Exit status: 0 written, 1 when the project cannot be read, no track is used, a setting is
// out of range or the file cannot be written, 2 for a command-line error.
int runRenderCommand(const std::vector<std::string>& args, std::ostream& err,
                     bool showProgress = false);

struct KyrelApp;

// Renders `app`'s design into the file named exactly `out` (no extension rewritten), for the
// command lines; messages go to `err`. Returns the exit status: 0 written, 1 not.
int writeWavExactly(KyrelApp& app, const std::string& out, std::ostream& err);

// The N of "--seed N": any 32-bit value, a negative one wrapping as in C; nothing when N is not
// a whole number in that range.
std::optional<std::uint32_t> parseSeed(const std::string& text);

}  // namespace kyrel
