#pragma once
#include <filesystem>
#include <ostream>

namespace kitgame {

// Moves a game's raw scripts (.src) to the readable form (.script) through the decompiler,
// keeping the remarks the raw form had on lines of their own as `//` lines. Every .script is
// checked to compile to the bytes its .src gave before anything is written; the .src files go
// only after every .script is written. Returns whether it did so; the reasons go to `log`.
bool convertGameScripts(const std::filesystem::path& src, std::ostream& log);

}  // namespace kitgame
