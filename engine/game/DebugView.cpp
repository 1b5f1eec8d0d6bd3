#include "engine/game/DebugView.h"

#include <algorithm>
#include <cstdint>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/items/Holdings.h"

namespace {

constexpr std::size_t kLineChars = 39;  // 6-pixel characters on the 240-pixel page
constexpr int kLineHeight = 12;
constexpr int kMaxLines = kPageHeight / kLineHeight;
constexpr int kShadeLevel = 20;
constexpr std::uint32_t kTextColour = 0x80FFFF;  // pale yellow (0x00BBGGRR)

// Adds `item` to the lines, starting a new line (indented) when it would not fit.
void AddItem(std::vector<std::string>& lines, const std::string& item) {
    if (lines.back().size() + 1 + item.size() > kLineChars) lines.push_back(" ");
    lines.back() += ' ';
    lines.back() += item;
}

std::string ScriptItem(std::string label, const QDCR& script) {
    label += ' ';
    label += script.Name();
    label += '@';
    label += std::to_string(script.Position());
    return label;
}

void PresentWithView(Engine& engine) {
    CDib& screen = engine.Screen;
    if (screen.Empty()) return engine.platform.Present(screen);
    const std::vector<std::string> lines = DebugViewLines(engine);
    // The page is kept and put back, so that what the game draws next is never mixed with it.
    std::vector<std::uint16_t> page;
    for (int y = kVisibleTop; y < kVisibleTop + kPageHeight; ++y)
        page.insert(page.end(), screen.Row(y), screen.Row(y) + kScreenWidth);
    const int shown = std::min<int>(static_cast<int>(lines.size()), kMaxLines);
    TintRect(engine, 0, kVisibleTop, kScreenWidth, kVisibleTop + shown * kLineHeight + 2,
             kShadeLevel, 0);
    for (int i = 0; i < shown; ++i)
        DrawString(engine, lines[static_cast<std::size_t>(i)], 12, 1,
                   kVisibleTop + 1 + i * kLineHeight, kTextColour);
    engine.platform.Present(screen);
    auto from = page.begin();
    for (int y = kVisibleTop; y < kVisibleTop + kPageHeight; ++y, from += kScreenWidth)
        std::copy(from, from + kScreenWidth, screen.Row(y));
}

}  // namespace

std::vector<std::string> DebugViewLines(const Engine& engine) {
    std::vector<std::string> lines;
    const FieldState& field = engine.Field;
    std::string place = "map " + (field.mapName.empty() ? std::string("-") : field.mapName);
    if (!engine.Actors.empty()) {
        const Actor& leader = engine.Actors[0];
        place += " leader " + std::to_string((leader.x - 8) / kTileSize) + "," +
                 std::to_string((leader.y - 226) / kTileSize);
    }
    lines.push_back(place);
    lines.push_back("music " + (engine.Music.open ? engine.Music.currentName : std::string("-")));

    const GameState& game = engine.Game;
    lines.push_back("var");
    for (int i = 0; i < GameState::kVariableCount; ++i)
        if (const std::int32_t v = game.variables[static_cast<std::size_t>(i)]; v != 0)
            AddItem(lines, std::to_string(i) + "=" + std::to_string(v));
    lines.push_back("switch");
    for (int i = 0; i < GameState::kSwitchCount; ++i)
        if (game.switches[static_cast<std::size_t>(i)]) AddItem(lines, std::to_string(i));

    // The party's goods, in a game that has items (or was given gold without them).
    if (!engine.Items.table.Empty() || Gold(engine) != 0) {
        lines.push_back("gold " + std::to_string(Gold(engine)));
        lines.push_back("items");
        for (std::int32_t id = kFirstItemId; id <= kLastItemId; ++id)
            if (const std::int32_t count = ItemCount(engine, id); count != 0)
                AddItem(lines, std::to_string(id) + "x" + std::to_string(count));
    }

    lines.push_back("scripts");
    const QDCR& global = engine.Scripts.GlobalScript;
    if (!global.AtEnd()) AddItem(lines, ScriptItem("G", global));
    for (std::size_t i = 0; i < field.events.size(); ++i) {
        const EventObject& event = *field.events[i];
        if (event.active && !event.script.AtEnd())
            AddItem(lines, ScriptItem("E" + std::to_string(i), event.script));
    }
    for (std::size_t i = 0; i < engine.Scripts.AnimActors.size(); ++i) {
        const AnimActor& anim = engine.Scripts.AnimActors[i];
        if (anim.active && !anim.script.AtEnd())
            AddItem(lines, ScriptItem("A" + std::to_string(i), anim.script));
    }
    if (engine.Battle && !engine.Battle->skillScript.AtEnd())
        AddItem(lines, ScriptItem("W", engine.Battle->skillScript));
    return lines;
}

void InstallDebugView(Engine& engine) {
    engine.PresentDebugView = PresentWithView;
}
