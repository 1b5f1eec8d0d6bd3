#pragma once
// Levels and experience of the party. A member starts at level 1 with 0 experience; level L
// (2..99) is reached with ExperienceForLevel(L) experience in total, 10 x (L - 1) x L: 20 for
// level 2, 60 for level 3, 97,020 for level 99. Each level gained adds the member's growth
// (StatGrowth) to its maxima and stats, and its hit points grow with the maximum.
#include <cstdint>

struct CharRecord;
struct Engine;

inline constexpr std::int32_t kMaxLevel = 99;
inline constexpr std::int32_t kMaxExperience = 9'999'999;

// The total experience that reaches `level` (0 for level 1 and below).
std::int32_t ExperienceForLevel(std::int32_t level);

// The character record of party slot 0..3, or nullptr for an empty slot, a character without a
// file or a slot outside 0..3.
CharRecord* PartyMember(Engine& engine, int slot);
const CharRecord* PartyMember(const Engine& engine, int slot);

// Party slot N's level, total experience and the experience still missing for the next level
// (0 at level 99); all 0 for a slot without a member.
std::int32_t MemberLevel(const Engine& engine, int slot);
std::int32_t MemberExperience(const Engine& engine, int slot);
std::int32_t ExperienceToNextLevel(const Engine& engine, int slot);

// Adds one level's growth to a record: maxima (hit points up to 9999, LP up to 9999), hit points
// by as much as their maximum, stats up to 255.
void GrowOneLevel(CharRecord& record);

// Adds `amount` experience (kept within 0..9,999,999) to party slot N and gives it every level
// that reaches; traces "exp SLOT TOTAL" and "level SLOT LEVEL" for each level. Returns the number
// of levels gained.
int GainExperience(Engine& engine, int slot, std::int32_t amount);
