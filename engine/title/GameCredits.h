#pragma once
#include <string>
#include <string_view>
#include <vector>

struct Engine;

// What the two credit screens show. A game replaces the maker's lines with its own file
// "credits.txt" (Shift-JIS lines) in three blocks separated by empty lines:
//   1. the first screen's list, left-aligned at x 20 from row 260, 14 rows apart (10 lines);
//   2. the first screen's closing line, centred at row 400 (1 line);
//   3. the second screen's lines, centred on the page, 14 rows apart (15 lines).
// Lines beyond a block's room, and blocks after the third, are not shown.
struct GameCredits {
    static constexpr std::size_t kListLines = 10;
    static constexpr std::size_t kClosingLines = 1;
    static constexpr std::size_t kSecondScreenLines = 15;

    std::vector<std::string> list;
    std::vector<std::string> closing;
    std::vector<std::string> secondScreen;

    // The maker's own credits, shown when a game has no credits file.
    static GameCredits Builtin();
    // The credits of a credits file's bytes; an empty text gives empty screens.
    static GameCredits Parse(std::string_view sjisText);
};

// Reads the game's "credits.txt" into engine.Title.credits when there is one; otherwise the
// maker's credits stay. A game without the file is normal, so nothing is reported.
void LoadGameCredits(Engine& engine);

// Draws the lines of each credit screen onto Screen (white, 12 pixels high).
void DrawFirstCreditScreen(Engine& engine);
void DrawSecondCreditScreen(Engine& engine);
