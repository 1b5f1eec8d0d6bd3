// The battle screen: background, reach, combatants, cursor, message box, markers and numbers.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/ShiftJis.h"
#include "engine/battle/Battle.h"
#include "engine/battle/BattleState.h"
#include "engine/battle/BattleTexts.h"
#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/field/FieldState.h"
#include "engine/words/Words.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kOutlinedWhite = 0x2FFFFFF;
constexpr std::uint32_t kOutlinedGreen = 0x200C000;
constexpr std::uint16_t kBlue555 = 31;
constexpr std::uint16_t kRed555 = 0x7C00;

int TextWidth(std::string_view text) {
    return static_cast<int>(text.size());
}

void DrawCorners(Engine& engine, int left, int top, int right, int bottom, int level) {
    const CDib& corners = engine.PictureSlots[2];
    BltBlend(engine, left, top, corners, 0, 0, 8, 8, level);
    BltBlend(engine, right, top, corners, 8, 0, 16, 8, level);
    BltBlend(engine, left, bottom, corners, 0, 8, 8, 16, level);
    BltBlend(engine, right, bottom, corners, 8, 8, 16, 16, level);
}

void DrawReach(Engine& engine, const BattleState& b) {
    if (b.activeSlot < kPartySlots) {
        // The band right of the grid runs past the screen's last column; the rows are one
        // contiguous block, so its overflow darkens the first seven columns of the next row.
        TintRect(engine, 231, 209, 247, 420, 16, 0);
        TintRect(engine, 0, 210, 7, 421, 16, 0);
        TintRect(engine, 7, 210, 231, 244, 16, 0);
        TintRect(engine, 7, 412, 231, 420, 16, 0);
        for (int c = 0; c < kGridSize; ++c) {
            for (int r = 0; r < kGridSize; ++r) {
                const int x = 7 + 32 * c;
                const int y = 244 + 24 * r;
                TintRect(engine, x, y, x + 32, y + 24, 16, b.reach[c][r] ? kBlue555 : 0);
            }
        }
        return;
    }
    for (int c = 0; c < kGridSize; ++c) {
        for (int r = 0; r < kGridSize; ++r) {
            if (!b.reach[c][r]) continue;
            const int x = 7 + 32 * c;
            const int y = 244 + 24 * r;
            TintRect(engine, x, y, x + 32, y + 24, 24, kRed555);
        }
    }
}

void DrawActorsByDepth(Engine& engine) {
    std::array<int, kSlotCount> order{};
    for (int i = 0; i < kSlotCount; ++i) order[i] = i;
    for (int i = 0; i < kSlotCount - 1; ++i) {
        for (int j = i + 1; j < kSlotCount; ++j) {
            if (SlotActor(engine, order[i]).y > SlotActor(engine, order[j]).y) {
                std::swap(order[i], order[j]);
            }
        }
    }
    // The field's actor drawing goes through its camera; the battle's camera stands in for it.
    FieldState& field = engine.Field;
    const std::int32_t camX = field.camX;
    const std::int32_t camY = field.camY;
    field.camX = engine.Battle->cameraX;
    field.camY = engine.Battle->cameraY;
    for (const int slot : order) DrawActor(engine, SlotActor(engine, slot));
    field.camX = camX;
    field.camY = camY;
}

void AdvanceIdleAnimation(Engine& engine, BattleState& b) {
    if (!b.idleAnimOn) return;
    b.idleTimer += engine.FrameMs;
    if (b.idleTimer <= 600) return;
    b.idlePhase ^= 1;
    b.idleTimer = 0;
    for (int s = 0; s < kSlotCount; ++s) ShowPoseFrame(engine, s);
}

void DrawCursorAndArea(Engine& engine, const BattleState& b) {
    const GridCell cell = UnpackCursor(b.cursor);
    const int cx = 7 + 32 * cell.column;
    const int cy = 244 + 24 * cell.row;
    BltBlend(engine, cx, cy, engine.PictureSlots[1], 0, 0, 32, 17, 32);
    const SkillRecord& skill = SkillOf(engine, b.pending[b.activeSlot]);
    const int w = skill.areaWidth();
    const int h = skill.areaHeight();
    int left = cx - 16 * (w & 14);
    int right = left + 32 * w - 8;
    int top = cy - 24 * (h / 2);
    int bottom = top + 24 * h - 8;
    left = std::max(left, 7);
    right = std::min(right, 225);
    top = std::max(top, 244);
    bottom = std::min(bottom, 406);
    DrawCorners(engine, left, top, right, bottom, 32);
}

}  // namespace

int NumberLift(int p) {
    static constexpr int kLift[15] = {2, 3, 4, 3, 2, 0, 4, 5, 6, 7, 8, 7, 6, 5, 4};
    return p >= 0 && p < 15 ? kLift[p] : 0;
}

void DrawBattle(Engine& engine) {
    if (!engine.Battle) return;
    BattleState& b = *engine.Battle;
    BltCopy(engine, 0, 210, b.background, 0, 0, 240, 210);
    const bool showAim = b.aiming || b.enemyActing;
    if (showAim) DrawReach(engine, b);
    DrawActorsByDepth(engine);
    AdvanceIdleAnimation(engine, b);
    if (showAim) DrawCursorAndArea(engine, b);
    if (b.messageTimer != 0) {
        DrawMessage(engine, b.message);
        if (b.messageTimer > 0) --b.messageTimer;
    }
}

void DrawMessage(Engine& engine, std::string_view text) {
    // A page of several lines (the victory's) grows the box downwards, each line centred.
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    DrawWindowBox(engine, 20, 214, 200, 22 + 13 * lines);
    for (int y = 219;; y += 13) {
        const std::string_view line = text.substr(0, text.find('\n'));
        DrawString(engine, line, 12, 110 - 3 * TextWidth(line), y, kWhite);
        if (line.size() == text.size()) break;
        text.remove_prefix(line.size() + 1);
    }
}

void DrawMessageLeft(Engine& engine, std::string_view text) {
    DrawWindowBox(engine, 20, 214, 200, 22);
    DrawString(engine, text, 12, 25, 219, kWhite);
}

void MarkActive(Engine& engine, MarkerLabel choice) {
    BattleState& b = *engine.Battle;
    const int slot = b.activeSlot;
    if (slot < 0 || slot >= kSlotCount) return;
    const Actor& a = SlotActor(engine, slot);
    int level = 28;
    if (slot >= kPartySlots) {
        BattleMarkerBlink& blink = engine.MarkerBlink;
        blink.timer += engine.FrameMs;
        if (blink.timer > 60) {
            blink.timer = 0;
            blink.level = blink.level == 28 ? 0 : 28;
        }
        level = blink.level;
    }
    const int halfWidth = a.width / 2;
    DrawCorners(engine, a.x - halfWidth, a.y - a.height, a.x + halfWidth - 8, a.y - 8, level);

    const char* name = Combatant(engine, slot).name;
    if (choice == MarkerLabel::MessageBox) {
        DrawMessage(engine, name);
        return;
    }
    const int lw = 6 * static_cast<int>(std::strlen(name)) + 4;
    int lx = a.x - lw / 2;
    if (lx < 0) {
        lx = 0;
    } else if (lx + lw > 240) {
        lx = 240 - lw;
    }
    TintRect(engine, lx, a.y, lx + lw, a.y + 16, 20, slot < kPartySlots ? kBlue555 : kRed555);
    DrawString(engine, name, 12, lx + 2, a.y + 2, kWhite);
}

void DrawPartyHp(Engine& engine) {
    BattleState& b = *engine.Battle;
    for (int s = 0; s < kPartySlots; ++s) {
        if (!b.alive[s]) continue;
        const Actor& a = SlotActor(engine, s);
        const CharRecord& r = Combatant(engine, s);
        char number[16];
        std::snprintf(number, sizeof number, "%3d", static_cast<int>(r.hp));
        DrawString(engine, number, 12, a.x - 9, a.y - 23, kOutlinedWhite);
        DrawString(engine, kHpBarText, 12, a.x - 12, a.y - 17, kOutlinedWhite);
        std::snprintf(number, sizeof number, "%3d", static_cast<int>(r.maxHp));
        DrawString(engine, number, 12, a.x - 9, a.y - 11, kOutlinedWhite);
    }
}

void DrawCaption(Engine& engine, std::string_view text, int offset) {
    const QCBOX& menu = engine.Battle->menu;
    DrawWindowBox(engine, menu.x + offset, menu.y - 22, 6 * TextWidth(text) + 10, 22);
    DrawString(engine, text, 12, menu.x + offset + 5, menu.y - 17, kWhite);
}

void NumbersStep(Engine& engine) {
    BattleState& b = *engine.Battle;
    if (b.numbersTimer <= 0) return;
    const int n = --b.numbersTimer;
    for (int t = 0; t < kSlotCount; ++t) {
        if (!b.targeted[t]) continue;
        Actor& a = SlotActor(engine, t);
        const std::int32_t effect = b.effect[t];
        if (n > 49) {
            if (n % 2 != 0) return;
            if (effect != 0) {
                if (n == 68) {
                    a.x += 1;
                } else if (n == 50) {
                    a.x -= 1;
                } else {
                    a.x += n % 4 != 0 ? 2 : -2;
                }
                if (t >= kPartySlots) a.level = n % 3 == 0 ? 16 : 32;
            } else if (t < kPartySlots) {
                if (n == 68) a.x += 12;
                if (n == 54) a.x -= 12;
            }
            continue;
        }
        const std::string digits = effect == 0 ? engine.GameWords[Word::Miss]
                                               : std::to_string(std::abs(static_cast<int>(effect)));
        const int len = static_cast<int>(digits.size());
        const std::uint32_t colour = effect <= 0 ? kOutlinedWhite : kOutlinedGreen;
        // Each character bounces on its own, a full-width one as two half-width places.
        for (int k = 0; k < len;) {
            const int bytes =
                kit::isSjisLeadByte(static_cast<unsigned char>(digits[k])) && k + 1 < len ? 2 : 1;
            const int p = n - 33 + 2 * k;
            DrawString(engine, std::string_view(digits).substr(k, bytes), 12, a.x - 3 * len + 6 * k,
                       a.y - 11 - NumberLift(p), colour);
            if (p > 14) break;
            k += bytes;
        }
    }
}
