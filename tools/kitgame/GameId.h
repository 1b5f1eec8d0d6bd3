#pragma once
#include <filesystem>
#include <string>

namespace kitgame {

// The identity a game's folder name gives: its ASCII letters, digits, '-', '_' and '.', other
// ASCII characters as '_' and the rest left out, at most 58 characters; "game" when nothing is
// left. The engine reads the identity from the first line of game.id (see save::GameIdentity).
std::string gameIdOfFolder(const std::filesystem::path& dir);

// A new game's identity: the folder's, a '-' and four random hex digits ("village-3f9a"), so that
// two games made in folders of one name keep their saves apart.
std::string newGameId(const std::filesystem::path& dir);

}  // namespace kitgame
