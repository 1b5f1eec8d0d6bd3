// The game data readers: the same bytes read as a character, a skill database, an enemy and an
// enemy group file. Names stay inside their records, zero-terminated.
#include <cstring>
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
    ParseCharacter(text, character);
    CheckRecord(character);

    const std::vector<SkillRecord> skills = ParseSkillTable(text);
    if (skills.size() != CountSkillLines(text)) FuzzFailure();

    const EnemyFile enemy = ParseEnemy(text);
    CheckRecord(enemy.record);

    // The group number comes from the first byte so that every line of a file gets its turn,
    // and a few numbers outside the file are asked too.
    const std::int32_t group = size > 0 ? static_cast<std::int32_t>(data[0]) - 8 : 0;
    ParseGroupLine(text, group);
    ParseGroupLine(text, INT32_MAX);
    ParseGroupLine(text, INT32_MIN);
    return 0;
}
