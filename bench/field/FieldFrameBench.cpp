// One whole field frame: a 16 x 15 view with all four layers filled, twelve actors walking and
// the text box typing.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/core/Engine.h"
#include "engine/items/Holdings.h"
#include "engine/menu/FieldMenu.h"
#include "engine/platform/headless/EngineHarness.h"

namespace {

std::vector<std::uint8_t> Bmp(int width, int height, std::uint32_t (*rgb)(int, int)) {
    const int rowBytes = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> b(54 + static_cast<std::size_t>(rowBytes * height), 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M';
    put32(2, static_cast<std::uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    b[26] = 1, b[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = rgb(x, y);
            std::uint8_t* p = b.data() + 54 + (height - 1 - y) * rowBytes + 3 * x;
            p[0] = static_cast<std::uint8_t>(c), p[1] = static_cast<std::uint8_t>(c >> 8);
            p[2] = static_cast<std::uint8_t>(c >> 16);
        }
    return b;
}

// Tiles with a transparent corner, so the keyed and blended layers do real work.
std::uint32_t TilePixel(int x, int y) {
    return (x % 16 < 4 && y % 16 < 4)
               ? 0
               : 0x204080u + 0x010101u * static_cast<std::uint32_t>((x ^ y) & 0x3F);
}

std::uint32_t CharacterPixel(int x, int y) {
    return (x % 16 == 0 || y % 16 == 15)
               ? 0
               : 0x808080u + 0x020100u * static_cast<std::uint32_t>(x + y);
}

// A 40 x 40 map with all four layers filled and twelve walking actors.
void SetUpField(EngineHarness& h) {
    Engine& e = h.engine;
    h.WriteFile("Smt\\map0.qdg", Bmp(256, 256, TilePixel));
    h.WriteFile("Smt\\sMat0.qd", std::string(256, '\0'));
    const int w = 40, height = 40;
    std::string map = {0, static_cast<char>(w), 0, static_cast<char>(height), 0};
    for (int layer = 0; layer < 4; ++layer)
        for (int i = 0; i < w * height; ++i)
            map += static_cast<char>(layer == 2 ? 0 : 1 + (i * 7 + layer * 13) % 250);
    h.WriteFile("Mt\\BENCH.qd", map);
    h.WriteFile("pic\\walker.qdg", Bmp(64, 32, CharacterPixel));
    InitField(e);
    LoadMap(e, "BENCH");
    CreateActors(e, 12);
    for (int i = 0; i < 12; ++i) {
        SetActorPicture(e, i, "walker");
        e.Actors[static_cast<std::size_t>(i)].x = TileToX(14 + (i % 4) * 3);
        e.Actors[static_cast<std::size_t>(i)].y = TileToY(14 + (i / 4) * 3);
        e.Field.movers[static_cast<std::size_t>(i)].speed = 10;
    }
    CentreCamera(e);
    e.FrameMs = 16;
}

// Starts every standing actor on its next step round a square.
void KeepWalking(Engine& e, int turn) {
    const int dx[] = {1, 0, -1, 0}, dy[] = {0, 1, 0, -1};
    for (int i = 0; i < 12; ++i) {
        if (e.Field.movers[static_cast<std::size_t>(i)].Walking()) continue;
        const int d = (turn + i) & 3;
        Step(e, i, dx[d], dy[d]);
    }
}

const std::string& Page() {
    static const std::string text =
        "\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8\\nabcdefghijklmnop\\nqrstuvwxyz0123\\n";
    static const std::string page = text + text + text;
    return page;
}

void KeepTyping(Engine& e) {
    if (e.Text.IsEmpty() || e.Text.revealed >= e.Text.Length()) e.Text.Start(Page());
}

// The whole frame: the field scene and the text box over it (text:1), and the scene alone.
void BM_FieldFrame(benchmark::State& state) {
    const bool withText = state.range(0) != 0;
    EngineHarness h;
    SetUpField(h);
    Engine& e = h.engine;
    int turn = 0;
    for (auto _ : state) {
        KeepWalking(e, turn++);
        if (withText) KeepTyping(e);
        FieldScene(e);
        if (withText) e.Text.Update(e);
        benchmark::DoNotOptimize(e.Screen.At(120, 300));
    }
}
BENCHMARK(BM_FieldFrame)->ArgName("text")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// A frame with the field menu open: the field stands still under it, so a frame costs the menu's
// drawing when it changed (redraw:1, the party's figures or a full page of the item list) and
// next to nothing otherwise (redraw:0).
void BM_FieldFrameWithMenu(benchmark::State& state) {
    EngineHarness h;
    SetUpField(h);
    Engine& e = h.engine;
    std::string items;
    for (int id = 1; id <= 20; ++id)
        items += std::to_string(id) + ",Item " + std::to_string(id) + ",10,heal,30,heals 30\n";
    e.Items.table.Parse(items);
    for (int id = 1; id <= 20; ++id) ChangeItemCount(e, id, id);
    e.CharacterTable.assign(5, CharRecord{});
    for (std::size_t i = 1; i < 5; ++i) {
        e.CharacterTable[i].hp = e.CharacterTable[i].maxHp = 120;
        e.CharacterTable[i].name[0] = 'A';
    }
    e.SceneProc = FieldScene;
    e.ModeProc = PlayerControl;
    FieldScene(e);
    OpenFieldMenuIfAllowed(e);
    const bool redraw = state.range(1) != 0;
    if (state.range(0) != 0) {  // Shift on アイテム
        e.Menus.field.armed = true;
        e.InputTimer = 1000;
        e.Keys[Key::Shift] = KEY_PRESSED;
        FieldMenuMode(e);
        e.Keys[Key::Shift] = KEY_UP;
    }
    int turn = 0;
    for (auto _ : state) {
        KeepWalking(e, turn++);
        e.Menus.field.redraw = redraw;
        e.SceneProc(e);
        e.ModeProc(e);
        benchmark::DoNotOptimize(e.Screen.At(120, 300));
    }
}
BENCHMARK(BM_FieldFrameWithMenu)
    ->ArgNames({"items", "redraw"})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Unit(benchmark::kMicrosecond);

void BM_TextBoxTyping(benchmark::State& state) {
    EngineHarness h;
    Engine& e = h.engine;
    e.FrameMs = 16;
    for (auto _ : state) {
        KeepTyping(e);
        e.Text.Update(e);
        benchmark::DoNotOptimize(e.Screen.At(120, 360));
    }
}
BENCHMARK(BM_TextBoxTyping)->Unit(benchmark::kMicrosecond);

}  // namespace
