#include "engine/menu/MenuDraw.h"

#include <algorithm>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/menu/PartyGoods.h"

namespace {

constexpr int kRowHeight = 14;
constexpr int kMenuDelay = 86;  // InputTimer every menu waits for before it takes a key

}  // namespace

void ResetListView(ListView& view, int count, int x, int y, int width, int rows) {
    view.box.Create(count);
    view.figures.assign(static_cast<std::size_t>(std::max(count, 0)), std::string());
    view.box.x = x;
    view.box.y = y;
    view.box.width = width;
    view.box.height = kRowHeight * rows + 10;
    view.box.cursor = std::clamp(view.box.cursor, 0, std::max(count - 1, 0));
    view.rows = rows;
    view.first = 0;
}

void DrawListView(Engine& engine, ListView& view) {
    QCBOX& box = view.box;
    if (box.cursor < view.first) view.first = box.cursor;
    if (box.cursor >= view.first + view.rows) view.first = box.cursor - view.rows + 1;
    DrawWindowBox(engine, box.x, box.y, box.width, box.height);
    const int last = std::min(box.Count(), view.first + view.rows);
    for (int i = view.first; i < last; ++i) {
        const int y = box.y + 5 + kRowHeight * (i - view.first);
        const std::uint32_t colour = i == box.cursor ? kMenuYellow : kMenuWhite;
        DrawString(engine, box.entries[static_cast<std::size_t>(i)].text, 12, box.x + 12, y,
                   colour);
        DrawRightAligned(engine, view.figures[static_cast<std::size_t>(i)], box.x + box.width - 8,
                         y, colour);
    }
    if (box.Count() > 0)
        BltBlend(engine, box.x - 4, box.y + kRowHeight * (box.cursor - view.first) + 3,
                 engine.PictureSlots[0], 0, 0, 16, 16, 32);
}

void DrawRightAligned(Engine& engine, std::string_view text, int right, int y,
                      std::uint32_t colour) {
    DrawString(engine, text, 12, right - 6 * static_cast<int>(text.size()), y, colour);
}

void DrawGoldBox(Engine& engine, int x, int y, int width) {
    DrawWindowBox(engine, x, y, width, 20);
    DrawString(engine, engine.GameWords[Word::Gold], 12, x + 7, y + 5, kMenuWhite);
    DrawRightAligned(engine, std::to_string(PartyGold(engine)), x + width - 8, y + 5);
}

std::string_view CutToWidth(std::string_view text, std::size_t bytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const auto byte = static_cast<unsigned char>(text[end]);
        const bool lead = (byte >= 0x81 && byte <= 0x9f) || byte >= 0xe0;
        const std::size_t next = end + (lead ? 2 : 1);
        if (next > bytes || next > text.size()) break;
        end = next;
    }
    return text.substr(0, end);
}

void DrawNoticeBox(Engine& engine, std::string_view text, int y) {
    const int width = std::clamp(6 * static_cast<int>(text.size()) + 24, 120, 230);
    const int left = (kScreenWidth - width) / 2;
    DrawWindowBox(engine, left, y, width, 20);
    DrawString(engine, text, 12, left + 12, y + 5, kMenuWhite);
}

MenuKey ReadMenuKey(Engine& engine, bool& armed) {
    const bool shift = engine.Keys[Key::Shift] >= KEY_PRESSED;
    const bool ctrl = engine.Keys[Key::Ctrl] >= KEY_PRESSED;
    if (!shift && !ctrl) armed = true;
    if (!armed || engine.InputTimer < kMenuDelay) return MenuKey::None;
    if (!shift && !ctrl) return MenuKey::None;
    armed = false;
    return shift ? MenuKey::Confirm : MenuKey::Back;
}
