#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One combatant: a party member from a character file or an enemy from an enemy file.
struct CharRecord {
    char name[21] = {};
    char codeName[21] = {};
    char pictureName[22] = {};
    std::int32_t hp = 0;
    std::int32_t maxHp = 0;
    std::int32_t lp = 0;
    std::int32_t maxLp = 0;
    // 1 attack, 2 speed, 3 defence, 4 magic power, 6 magic defence; the others are unused.
    std::uint8_t stats[8] = {};
};

enum StatIndex : int {
    kStatAttack = 1,
    kStatSpeed = 2,
    kStatDefence = 3,
    kStatMagic = 4,
    kStatMagicDefence = 6,
};

// The character numbers of the four party positions at the start of play; 0 would leave a
// position empty.
inline constexpr std::array<std::int32_t, 4> kStartLineup = {2, 3, 1, 4};

struct SkillRecord {
    std::string name;
    std::string description;
    std::uint8_t flags = 0;  // bit 0: affects the user's own side
    std::uint8_t reach[7] = {};
    std::uint8_t area = 0;  // low nibble width, high nibble height, in cells

    bool ownSide() const { return (flags & 1) != 0; }
    int areaWidth() const { return area & 15; }
    int areaHeight() const { return area >> 4; }
};

// Skill id in the low 16 bits, selection weight in the high 16 bits.
using EnemyAction = std::uint32_t;
inline int ActionSkill(EnemyAction a) {
    return static_cast<int>(a & 0xFFFFu);
}
inline int ActionWeight(EnemyAction a) {
    return static_cast<int>(a >> 16);
}

// Fills a record from the text of a character file. Fields after a malformed one keep their
// values.
void ParseCharacter(std::string_view text, CharRecord& record);

// The number of records of a skill database: one per line, counted the way the loader always
// has (an empty line after a line is read past; a final empty line counts).
std::size_t CountSkillLines(std::string_view text);
// A skill's id is its line number in the database; id 0 is a placeholder meaning "none".
std::vector<SkillRecord> ParseSkillTable(std::string_view text);

struct EnemyFile {
    CharRecord record;
    std::vector<EnemyAction> actions;
};
EnemyFile ParseEnemy(std::string_view text);

// One line of the enemy group file: seven enemy numbers, then a column-row pair per combatant.
struct GroupLine {
    bool present = false;                // false when the file has no such line
    std::array<bool, 7> enemyRead = {};  // false: the enemy number could not be read
    std::array<std::int32_t, 7> enemy = {};
    std::array<bool, 11> placeRead = {};
    std::array<std::int32_t, 11> column = {};
    std::array<std::int32_t, 11> row = {};
};
GroupLine ParseGroupLine(std::string_view text, std::int32_t group);

// Screen position of a combatant placed on grid column c, row r: x is its horizontal centre,
// y its bottom edge.
std::int32_t PlacedX(std::int32_t width, std::int32_t column);
std::int32_t PlacedY(std::int32_t row);
// Columns 0..7 (a combatant up to 32 wide stands in the column before) and rows 0..6.
bool PlacementOnGrid(std::int32_t column, std::int32_t row);
