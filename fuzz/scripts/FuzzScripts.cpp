// The four script runners executing arbitrary bytes in a small game: a 20 x 20 map with its tile
// set, eight actors with event objects, the twelve animation players and a battle context, all on
// the headless platform. The first byte picks the runner, the second the event or animation
// player, the rest is the script. A few frames of the main loop follow, so that whatever the
// script left in the slots (field, text box, script mode) runs too.
#include <memory>
#include <string>
#include <vector>

#include "engine/core/MainLoop.h"
#include "engine/field/FieldState.h"
#include "engine/platform/headless/EngineHarness.h"
#include "engine/script/ScriptRunner.h"
#include "fuzz/common/FuzzInput.h"

namespace {

// A 24-bit BMP filled with one colour per 16 x 16 cell, so every tile has its own colour.
std::vector<std::uint8_t> CellBmp(int width, int height) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const auto size = static_cast<std::uint32_t>(54 + rowBytes * height);
    std::vector<std::uint8_t> b(size, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto at = static_cast<std::size_t>(54 + y * rowBytes + 3 * x);
            b[at] = static_cast<std::uint8_t>(8 + 16 * (x / 16));
            b[at + 1] = static_cast<std::uint8_t>(8 + 16 * (y / 16));
            b[at + 2] = static_cast<std::uint8_t>(x == 0 && y == 0 ? 0 : 200);
        }
    return b;
}

// The game directory, written once: tile set 0, the map "TOWN", a character sheet and an
// animation sheet, and one script each runner can READ.
const EngineHarness& GameDirectory() {
    static const std::unique_ptr<EngineHarness> dir = [] {
        auto h = std::make_unique<EngineHarness>();
        h->WriteFile("Smt\\map0.qdg", CellBmp(256, 256));
        std::vector<std::uint8_t> attributes(256, 0);
        attributes[0x21] = 0x20;  // tile 0x12 blocks walking
        h->WriteFile("Smt\\sMat0.qd", attributes);
        std::vector<std::uint8_t> map = {0, 20, 0, 20, 0};
        for (int layer = 0; layer < 4; ++layer)
            for (int i = 0; i < 400; ++i)
                map.push_back(static_cast<std::uint8_t>(layer == 0 ? 1 + i % 0x20 : 0));
        h->WriteFile("Mt\\TOWN.qd", map);
        h->WriteFile("pic\\hero.qdg", CellBmp(64, 32));
        h->WriteFile("ev\\anm\\fx.qdg", CellBmp(96, 96));
        h->WriteFile("ev\\anm\\fx.sc", std::string_view("a0;#\0", 5));
        h->WriteFile("ev\\START.sc", std::string_view("c0;0;1;=#\0", 10));
        return h;
    }();
    return *dir;
}

// A battle instruction as the battle supplies them: it reads its operand.
void BattleStub(Engine&, QDCR& context, std::int8_t) {
    context.ReadInt();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int runner = data[0] % 4;
    const int index = data[1];
    std::vector<std::uint8_t> script(data + 2, data + size);

    HeadlessOptions options;
    options.boxesToStderr = false;
    HeadlessPlatform platform(options);
    Engine engine(platform, GameDirectory().gameDir);
    engine.fixedSeed = 1;
    engine.random.seed(1);
    DisplayOpen(engine);
    InitField(engine);
    if (!LoadMap(engine, "TOWN")) FuzzFailure();
    CreateActors(engine, 8);
    SetActorPicture(engine, 0, "hero");
    engine.FrameMs = 16;

    QDCR battle;
    for (int call = 0; call < 3; ++call) {
        switch (runner) {
            case 0:
                if (call == 0) engine.Scripts.GlobalScript.Load(script);
                RunGlobalScript(engine);
                break;
            case 1: {
                // Chosen before the run: a script may replace the actors, even by none.
                const int actor = index % kPartySize + 3;
                if (call == 0)
                    engine.Field.events[static_cast<std::size_t>(actor)]->script.Load(script);
                RunEventScript(engine, actor);
                break;
            }
            case 2: {
                const int player = index % kAnimActorCount;
                AnimActor& anim = engine.Scripts.AnimActors[static_cast<std::size_t>(player)];
                if (call == 0) {
                    anim.script.Load(script);
                    anim.active = 1;
                }
                RunAndDrawAnimActor(engine, player, 120, 320);
                break;
            }
            default:
                if (call == 0) battle.Load(script);
                RunBattleScript(engine, battle, BattleStub);
                break;
        }
    }
    for (int frame = 0; frame < 3; ++frame)
        if (!LoopOnce(engine)) break;
    return 0;
}
