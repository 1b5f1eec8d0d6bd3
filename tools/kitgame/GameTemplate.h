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

// The new game's files: a title, a village map with the party, a villager to talk to, a sign, a
// well to save at, a door to a second map and back, and everything a game needs so that no file
// is missing (one small battle included). Its scripts are in the readable form.
const std::vector<TemplateFile>& templateFiles();

// The languages a new game can be made in: "ja" (the default) and "en". An English file's path
// starts with "en:" in templateFiles() and takes the place of the file of the same path.
bool isTemplateLanguage(std::string_view language);

// Writes the new game in `language` into `dir`, with a new identity in game.id (see newGameId).
// `dir` must not exist or be empty: nothing of an author's is ever overwritten. Returns "" or the
// reason.
std::string writeNewGame(const std::filesystem::path& dir, std::string_view language = "ja");

}  // namespace kitgame
