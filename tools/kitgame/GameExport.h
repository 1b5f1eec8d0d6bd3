#pragma once
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// kit-game export: a built game made ready to hand to players.
//   --web SRC OUT[.zip] [--built DIR]: the web page with the game. OUT ending in .zip is one zip
//       with index.html at its top; otherwise OUT is a folder. The page's files come from the web
//       kit that `./kit web` lays out beside kit-game (build/web-kit); the sound font is cut to
//       what the game's MIDI files play; every compressible file gets a .gz beside it.
//   --linux SRC OUT.tar.gz [--built DIR]: a folder with Dunmere, the game and a start script.
// The game is SRC built into SRC/build, or the already built game DIR.
namespace kitgame {

struct ExportTools {
    std::filesystem::path toolDir;  // where kit-game and dunmere are
    // Builds the game directory OUT from SRC; false when a file failed.
    std::function<bool(const std::filesystem::path&, const std::filesystem::path&)> build;
};

// Runs `kit-game export ARGS...` (args without the word "export"); returns the exit status.
int exportGame(const std::vector<std::string>& args, const ExportTools& tools, std::ostream& log);

}  // namespace kitgame
