// The game data readers: the same bytes read as a character, a skill database, an enemy and an
// enemy group file. Names stay inside their records, zero-terminated.
#include <cstring>
#include <string>
#include <vector>

#include "engine/battle/GameData.h"
#include "fuzz/common/FuzzInput.h"

namespace {

template <std::size_t N>
void CheckTerminated(const char (&field)[N]) {
    if (std::memchr(field, 0, N) == nullptr) FuzzFailure();
}

void CheckRecord(const CharRecord& record) {
    CheckTerminated(record.name);
    CheckTerminated(record.codeName);
    CheckTerminated(record.pictureName);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = AsText(data, size);

    CharRecord character;
    std::string problem;
    ParseCharacter(text, character, &problem);
    CheckRecord(character);
    // A growth line is read whole or not at all.
    if (!problem.empty() && character.growth.hp != DefaultGrowth(character).hp) FuzzFailure();
    if (character.growth.hp < 0 || character.growth.hp > kMaxGrowthPoints) FuzzFailure();

    const std::vector<SkillRecord> skills = ParseSkillTable(text);
    if (skills.size() != CountSkillLines(text)) FuzzFailure();

    problem.clear();
    const EnemyFile enemy = ParseEnemy(text, &problem);
    CheckRecord(enemy.record);
    const auto reward = [](std::int32_t v) { return v >= 0 && v <= kMaxRewardValue; };
    if (!reward(enemy.record.experience) || !reward(enemy.record.gold)) FuzzFailure();
    if (!problem.empty() && (enemy.record.experience != 0 || enemy.record.gold != 0)) FuzzFailure();

    // The group number comes from the first byte so that every line of a file gets its turn,
    // and a few numbers outside the file are asked too.
    const std::int32_t group = size > 0 ? static_cast<std::int32_t>(data[0]) - 8 : 0;
    ParseGroupLine(text, group);
    ParseGroupLine(text, INT32_MAX);
    ParseGroupLine(text, INT32_MIN);
    return 0;
}
