#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a party member gains with each level: maximum hit points and LP, and the eight stats.
struct StatGrowth {
    std::int32_t hp = 0;
    std::int32_t lp = 0;
    std::uint8_t stats[8] = {};
};

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
    // A party member's level (1..99), total experience and gains per level; an enemy's level
    // stays 1 and its experience and gold are what defeating it gives.
    std::int32_t level = 1;
    std::int32_t experience = 0;
    std::int32_t gold = 0;
    StatGrowth growth{};
};

inline constexpr std::int32_t kMaxRewardValue = 9'999'999;
inline constexpr std::int32_t kMaxGrowthPoints = 999;

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
// values. An optional last line "+HP,LP,S0,...,S7," gives the gains per level; without it a
// member gains a tenth of its maximum hit points (at least 1) and LP, and 1 of each stat that
// counts in battle. A damaged growth line leaves the default and is described in `problem`.
void ParseCharacter(std::string_view text, CharRecord& record, std::string* problem = nullptr);
// The gains per level of a member without a growth line.
StatGrowth DefaultGrowth(const CharRecord& record);

// The number of records of a skill database: one per line, counted the way the loader always
// has (an empty line after a line is read past; a final empty line counts).
std::size_t CountSkillLines(std::string_view text);
// A skill's id is its line number in the database; id 0 is a placeholder meaning "none".
std::vector<SkillRecord> ParseSkillTable(std::string_view text);

struct EnemyFile {
    CharRecord record;
    std::vector<EnemyAction> actions;
};
// An enemy file; an optional last line "EXP,GOLD," after the actions gives its rewards (0
// without it). A damaged rewards line gives 0 and is described in `problem`.
EnemyFile ParseEnemy(std::string_view text, std::string* problem = nullptr);

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
