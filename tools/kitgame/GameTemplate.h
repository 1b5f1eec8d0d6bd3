#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kitgame {

// One file of the game that `kit-game new` writes: its path in the new folder and its bytes.
struct TemplateFile {
    std::string_view path;
    std::string_view bytes;
};

// The new game's files: a title, a village map with the party, a villager to talk to, a sign,
// and everything a game needs so that no file is missing (one small battle included).
const std::vector<TemplateFile>& templateFiles();

// Writes the new game into `dir`, with a new identity in game.id (see newGameId). `dir` must not
// exist or be empty: nothing of an author's is ever overwritten. Returns "" or the reason.
std::string writeNewGame(const std::filesystem::path& dir);

}  // namespace kitgame
