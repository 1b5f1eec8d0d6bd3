#include "engine/battle/GameData.h"

#include <algorithm>

#include "engine/battle/TextScanner.h"

namespace {

// Eight comma-terminated statistics, each one scan of its own.
void ScanStats(TextScanner& in, CharRecord& record) {
    for (auto& stat : record.stats) {
        std::uint8_t v = 0;
        if (in.byte(v)) {
            stat = v;
            in.literal(',');
        }
    }
}

// "%ld,%ld,\n": the maximum values; current values start full.
void ScanMaxima(TextScanner& in, CharRecord& record) {
    if (in.number(record.maxHp) && in.literal(',') && in.number(record.maxLp)) {
        in.literal(',');
    }
    record.hp = record.maxHp;
    record.lp = record.maxLp;
    in.skipSpace();
}

// Comma-separated numbers within 0..high, each followed by a comma (the last one's may be left
// out), and nothing after them on the line.
bool ScanValues(TextScanner& in, std::int32_t* values, int count, const std::int32_t* high) {
    for (int i = 0; i < count; ++i) {
        if (!in.number(values[i]) || values[i] < 0 || values[i] > high[i]) return false;
        if (!in.literal(',') && i + 1 < count) return false;
    }
    while (!in.atEnd() && !in.literal('\n'))
        if (!in.literal(' ') && !in.literal('\t')) return false;
    return true;
}

void ScanGrowth(TextScanner& in, CharRecord& record, std::string* problem) {
    record.growth = DefaultGrowth(record);
    in.skipSpace();
    if (!in.literal('+')) return;
    std::int32_t values[10] = {};
    std::int32_t high[10] = {kMaxGrowthPoints, kMaxGrowthPoints};
    for (int i = 2; i < 10; ++i) high[i] = 255;
    if (!ScanValues(in, values, 10, high)) {
        if (problem)
            *problem = "the growth line is not +HP,LP and eight stats (hit points and LP 0 to " +
                       std::to_string(kMaxGrowthPoints) + ", stats 0 to 255)";
        return;
    }
    record.growth.hp = values[0];
    record.growth.lp = values[1];
    for (int i = 0; i < 8; ++i) record.growth.stats[i] = static_cast<std::uint8_t>(values[i + 2]);
}

}  // namespace

StatGrowth DefaultGrowth(const CharRecord& record) {
    StatGrowth growth;
    growth.hp = std::clamp(record.maxHp / 10, 1, kMaxGrowthPoints);
    growth.lp = std::clamp(record.maxLp / 10, 0, kMaxGrowthPoints);
    for (const int stat : {kStatAttack, kStatSpeed, kStatDefence, kStatMagic, kStatMagicDefence})
        growth.stats[stat] = 1;
    return growth;
}

void ParseCharacter(std::string_view text, CharRecord& record, std::string* problem) {
    TextScanner in(text);
    if (in.word(record.codeName, sizeof record.codeName) &&
        in.word(record.name, sizeof record.name)) {
        in.word(record.pictureName, sizeof record.pictureName);
    }
    in.skipSpace();
    ScanMaxima(in, record);
    ScanStats(in, record);
    ScanGrowth(in, record, problem);
}

std::size_t CountSkillLines(std::string_view text) {
    TextScanner in(text);
    std::size_t count = 0;
    do {
        in.line();
        ++count;
    } while (in.getByte());
    return count;
}

std::vector<SkillRecord> ParseSkillTable(std::string_view text) {
    std::vector<SkillRecord> table(CountSkillLines(text));
    TextScanner in(text);
    for (auto& skill : table) {
        char name[64] = {};
        char description[64] = {};
        if (in.word(name, sizeof name) && in.word(description, sizeof description)) {
            in.skipSpace();
        }
        skill.name = name;
        skill.description = description;
        for (auto& r : skill.reach) {
            std::uint8_t v = 0;
            if (in.byte(v)) {
                r = v;
                in.literal(',');
            }
        }
        std::int32_t flags = 0, width = 0, height = 0;
        if (in.literal('-') && in.number(flags)) {
            skill.flags = static_cast<std::uint8_t>(flags);
            if (in.literal(',') && in.number(width) && in.literal('*') && in.number(height)) {
                skill.area = static_cast<std::uint8_t>(width | (height << 4));
                in.literal(',');
            }
        }
        in.skipSpace();
    }
    return table;
}

EnemyFile ParseEnemy(std::string_view text, std::string* problem) {
    EnemyFile enemy;
    CharRecord& record = enemy.record;
    TextScanner in(text);
    if (in.word(record.name, sizeof record.name)) {
        in.word(record.pictureName, sizeof record.pictureName);
    }
    in.skipSpace();
    ScanMaxima(in, record);
    ScanStats(in, record);
    // Two reward values, read past.
    std::int32_t reward = 0;
    in.skipSpace();
    if (in.number(reward) && in.literal(',') && in.number(reward)) in.literal(',');
    std::int32_t count = 0;
    in.skipSpace();
    if (in.number(count)) in.literal(':');
    // Every entry takes at least three bytes ("1-1"), which bounds a damaged count.
    const auto limit = static_cast<std::int64_t>(in.remaining() / 3 + 1);
    count = static_cast<std::int32_t>(std::clamp<std::int64_t>(count, 0, limit));
    enemy.actions.assign(static_cast<std::size_t>(count), 0);
    for (auto& action : enemy.actions) {
        std::int32_t skill = 0, weight = 0;
        if (in.number(skill) && in.literal('-') && in.number(weight)) {
            action = (static_cast<std::uint32_t>(skill) & 0xFFFFu) |
                     (static_cast<std::uint32_t>(weight) << 16);
        }
        in.skipSpace();
    }
    // The rewards the enemy gives, after its actions.
    in.skipSpace();
    if (in.atEnd()) return enemy;
    std::int32_t rewards[2] = {};
    static constexpr std::int32_t kHigh[2] = {kMaxRewardValue, kMaxRewardValue};
    if (ScanValues(in, rewards, 2, kHigh)) {
        record.experience = rewards[0];
        record.gold = rewards[1];
    } else if (problem) {
        *problem = "the line after the actions is not EXP,GOLD (each 0 to " +
                   std::to_string(kMaxRewardValue) + ")";
    }
    return enemy;
}

GroupLine ParseGroupLine(std::string_view text, std::int32_t group) {
    GroupLine line;
    TextScanner in(text);
    for (std::int32_t i = 0; i < group; ++i) {
        if (!in.line()) return line;
    }
    if (in.atEnd()) return line;
    line.present = true;
    for (int k = 0; k < 7; ++k) {
        line.enemyRead[k] = in.number(line.enemy[k]);
        if (line.enemyRead[k]) in.literal(',');
    }
    for (int n = 0; n < 11; ++n) {
        line.placeRead[n] = in.number(line.column[n]) && in.literal('-') && in.number(line.row[n]);
        if (line.placeRead[n]) in.literal(',');
    }
    return line;
}

std::int32_t PlacedX(std::int32_t width, std::int32_t column) {
    if (width <= 32) return 32 * column - 9;
    // Halved towards minus infinity, as the grid arithmetic does.
    const std::int32_t half = width >> 1;
    return 32 * column - half + 39;
}

std::int32_t PlacedY(std::int32_t row) {
    return 24 * row + 268;
}

bool PlacementOnGrid(std::int32_t column, std::int32_t row) {
    return column >= 0 && column <= 7 && row >= 0 && row <= 6;
}
