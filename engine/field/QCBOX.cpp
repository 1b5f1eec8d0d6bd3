#include "engine/field/QCBOX.h"

#include <algorithm>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kYellow = 0x00FFFF;
constexpr int kMenuRepeatMs = 86;

}  // namespace

void QCBOX::Create(int count) {
    entries.assign(static_cast<std::size_t>(std::max(count, 0)), Entry{});
}

bool QCBOX::SetItem(Engine& engine, int index, std::string_view text, std::int32_t value) {
    if (index < 0 || index >= Count()) return ErrorBox(engine, Sjis("QCBOX::データオーヴァ!!"));
    Entry& entry = entries[static_cast<std::size_t>(index)];
    entry.text.assign(text.substr(0, text.find('\0')));
    entry.value = value;
    return true;
}

void QCBOX::AutoSize() {
    std::size_t longest = 0;
    for (const Entry& entry : entries) longest = std::max(longest, entry.text.size());
    width = 6 * static_cast<std::int32_t>(longest) + 10;
    height = 14 * Count() + 10;
}

void QCBOX::Move(int d) {
    const int count = Count();
    if (count == 0) return;
    auto selectable = [&](int i) { return !entries[static_cast<std::size_t>(i)].text.empty(); };
    const long target = static_cast<long>(cursor) + d;
    if (d < 0) {
        for (long i = std::min<long>(target, count - 1); i >= 0; --i)
            if (selectable(static_cast<int>(i))) return void(cursor = static_cast<int>(i));
        for (int i = count - 1; i >= 0; --i)
            if (selectable(i)) return void(cursor = i);
    } else {
        for (long i = std::max<long>(target, 0); i < count; ++i)
            if (selectable(static_cast<int>(i))) return void(cursor = static_cast<int>(i));
        for (int i = 0; i < count; ++i)
            if (selectable(i)) return void(cursor = i);
    }
}

void QCBOX::DrawList(Engine& engine) const {
    DrawWindowBox(engine, x, y, width, height);
    for (int i = 0; i < Count(); ++i)
        DrawString(engine, entries[static_cast<std::size_t>(i)].text, 12, x + 5, y + 5 + 14 * i,
                   i == cursor ? kYellow : kWhite);
    BltBlend(engine, x - 8, y + 14 * cursor + 3, engine.PictureSlots[0], 0, 0, 16, 16, 32);
}

void QCBOX::DrawGrid(Engine& engine) const {
    DrawWindowBox(engine, x, y, width, height);
    for (int i = 0; i < Count(); ++i) {
        const int column = x + (i % 2 == 0 ? 17 : 127);
        const int row = y + 5 + 14 * (i / 2);
        const bool selected = i == cursor;
        DrawString(engine, entries[static_cast<std::size_t>(i)].text, 12, column, row,
                   selected ? kYellow : kWhite);
        if (selected)
            BltBlend(engine, column - 15, row - 3, engine.PictureSlots[0], 0, 0, 16, 16, 32);
    }
}

void QCBOX::MoveByKey(Engine& engine, int d, bool justPressed) {
    Move(d);
    engine.InputTimer = justPressed ? -48 : 0;
    PlayEffect(engine, kCursorSoundSlot);
}

void QCBOX::InputList(Engine& engine) {
    if (engine.InputTimer < kMenuRepeatMs) return;
    const KeyState up = engine.Keys[Key::Up];
    const KeyState down = engine.Keys[Key::Down];
    if (up >= KEY_PRESSED)
        MoveByKey(engine, -1, up == KEY_PRESSED);
    else if (down >= KEY_PRESSED)
        MoveByKey(engine, 1, down == KEY_PRESSED);
}

void QCBOX::InputGrid(Engine& engine) {
    if (engine.InputTimer < kMenuRepeatMs) return;
    constexpr struct {
        Key key;
        int d;
    } kMoves[] = {{Key::Up, -2}, {Key::Down, 2}, {Key::Left, -1}, {Key::Right, 1}};
    for (const auto& move : kMoves) {
        const KeyState state = engine.Keys[move.key];
        if (state >= KEY_PRESSED) return MoveByKey(engine, move.d, state == KEY_PRESSED);
    }
}
