#include "engine/battle/BattleRules.h"

#include <algorithm>
#include <cstdlib>

namespace {

void Mark(CellGrid& reach, int column, int row) {
    if (InsideGrid(column, row)) reach[column][row] = 1;
}

bool Bit(std::uint8_t byte, int b) {
    return ((byte >> b) & 1) != 0;
}

}  // namespace

void MarkReachCells(CellGrid& reach, const CellGrid& grid, int slot, const SkillRecord& skill,
                    int mode, const ReachPose& pose) {
    reach = {};
    const auto origin = OriginCell(grid, slot);
    if (!origin) return;
    int c0 = origin->column;
    int r0 = origin->row;

    if (mode == kReachPlayer) {
        static constexpr int kQuadrants[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
        for (const auto& q : kQuadrants) {
            for (int k = 0; k < 7; ++k) {
                for (int b = 0; b < 7; ++b) {
                    if (Bit(skill.reach[k], b)) Mark(reach, c0 + k * q[0], r0 + b * q[1]);
                }
            }
        }
        return;
    }

    const int dc = pose.horizontalStep == -1 ? 1 : -1;
    const int dr = pose.facing == 1 ? -1 : 1;
    const int wx = DivideFloor(pose.width - 1, 32);
    const int hy = (pose.height - 1) / 24;
    if (pose.facing == 1) r0 -= hy;
    if (pose.horizontalStep == -1) c0 += wx;
    for (int b = 0; b < 7; ++b) {
        for (int k = 0; k < 7; ++k) {
            if (Bit(skill.reach[k], b)) Mark(reach, c0 + b * dc, r0 + k * dr);
        }
    }
    if (hy != 0) {
        for (int b = 0; b < 7; ++b) {
            for (int i = 0; i <= hy; ++i) {
                if (Bit(skill.reach[0], b)) Mark(reach, c0 + b * dc, r0 - i * dr);
            }
        }
    }
    if (wx != 0) {
        for (int i = 0; i <= wx; ++i) {
            for (int k = 0; k < 7; ++k) {
                if (Bit(skill.reach[k], 0)) Mark(reach, c0 - i * dc, r0 + k * dr);
            }
        }
    }
}

GridCell StepCursor(const CellGrid& reach, GridCell cursor, int dir) {
    const int c = cursor.column;
    const int r = cursor.row;
    auto hit = [&](int column, int row) { return InsideGrid(column, row) && reach[column][row]; };
    if (dir == kDirLeft || dir == kDirRight) {
        const int step = dir == kDirRight ? 1 : -1;
        for (int col = c + step; col >= 0 && col < kGridSize; col += step) {
            for (int row = r; row < kGridSize; ++row) {
                if (hit(col, row)) return {col, row};
            }
            for (int row = 0; row < r; ++row) {
                if (hit(col, row)) return {col, row};
            }
        }
    } else if (dir == kDirUp || dir == kDirDown) {
        const int step = dir == kDirDown ? 1 : -1;
        for (int row = r + step; row >= 0 && row < kGridSize; row += step) {
            for (int col = c; col < kGridSize; ++col) {
                if (hit(col, row)) return {col, row};
            }
            for (int col = 0; col < c; ++col) {
                if (hit(col, row)) return {col, row};
            }
        }
    }
    return cursor;
}

void FaceTowards(GridCell origin, GridCell cursor, int& horizontalStep, int& facing) {
    if (origin.column < cursor.column) horizontalStep = -1;
    if (origin.column > cursor.column) horizontalStep = 1;
    if (origin.row < cursor.row) facing = 0;
    if (origin.row > cursor.row) facing = 1;
}

std::array<std::int32_t, kSlotCount> TargetsInArea(const CellGrid& grid, GridCell cursor,
                                                   const SkillRecord& skill, int acting) {
    std::array<std::int32_t, kSlotCount> targeted = {};
    const int w = skill.areaWidth();
    const int h = skill.areaHeight();
    const int c0 = cursor.column - w / 2;
    const int r0 = cursor.row - h / 2;
    const int c1 = std::min(c0 + w, kGridSize);
    const int r1 = std::min(r0 + h, kGridSize);
    for (int c = std::max(c0, 0); c < c1; ++c) {
        for (int r = std::max(r0, 0); r < r1; ++r) {
            const int t = grid[c][r] - 1;
            if (t >= 0 && t < kSlotCount && SkillHits(skill, acting, t)) targeted[t] = 1;
        }
    }
    return targeted;
}

int NthTargetSlot(const std::array<std::int32_t, kSlotCount>& targeted, int n) {
    for (int t = 0; t < kSlotCount; ++t) {
        if (targeted[t] && n-- == 0) return t;
    }
    return -1;
}

bool ComputeEffect(const CharRecord& attacker, const CharRecord& target, std::uint16_t power,
                   std::uint8_t kind, kit::Random& random, std::int32_t& effect) {
    // The power scale is held in single precision and the products are taken in it; the spread
    // is worked out in double precision. Both are part of the game's balance.
    const float g = static_cast<float>(power * 0.01);
    float product = 0.0f;
    switch (kind) {
        case kPhysical:
            product =
                static_cast<float>(2 * attacker.stats[kStatAttack] - target.stats[kStatDefence]) *
                g;
            break;
        case kMagic:
            product = static_cast<float>(2 * attacker.stats[kStatMagic] -
                                         target.stats[kStatMagicDefence]) *
                      g;
            break;
        case kHealing:
            product = static_cast<float>(attacker.stats[kStatMagic]) * g;
            break;
        default:
            return false;
    }
    const auto v = static_cast<std::int32_t>(product);
    const double f = v > 30 ? 0.3 : (31.0 - 0.01 * v) + 0.3;
    auto s = static_cast<std::int32_t>(f * v);
    if (s == 0) s = 1;
    std::int32_t d = v - random.next() % s;
    if (d < 1) d = 1;
    effect = std::clamp(kind == kHealing ? d : -d, -9999, 9999);
    return true;
}

std::uint8_t KnockbackDirections(std::uint8_t previous, int actingX, int actingY, int targetX,
                                 int targetY) {
    const std::int64_t dx = std::int64_t{actingX} - targetX;
    const std::int64_t dy = std::int64_t{actingY} - targetY;
    std::uint8_t byte = previous;
    if (dx != 0) byte = static_cast<std::uint8_t>((byte & 0xF0) | (dx > 0 ? 2 : 1));
    if (dy != 0) byte = static_cast<std::uint8_t>((byte & 0x0F) | ((dy > 0 ? 2 : 1) << 4));
    return byte;
}

int ChooseEnemyAction(const std::vector<EnemyAction>& actions, kit::Random& random) {
    std::int64_t total = 0;
    for (const auto a : actions) total += ActionWeight(a);
    if (total <= 0) return 0;
    const std::int64_t r = random.next() % total;
    std::int64_t sum = 0;
    for (const auto a : actions) {
        sum += ActionWeight(a);
        if (sum >= r) return ActionSkill(a);
    }
    return 0;
}

int ApproachDirection(int ex, int ey, int px, int py) {
    const int dx = ex - px;
    const int dy = ey - py;
    if (std::abs(dx) > std::abs(dy)) return dx <= 0 ? kDirRight : kDirLeft;
    return dy <= 0 ? kDirDown : kDirUp;
}
