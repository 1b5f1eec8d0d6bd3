// The four script runners executing arbitrary bytes in a small game on the headless platform: a
// 20 x 20 map with its tile set, eight actors with event objects and the twelve animation players
// for the global, event and animation scripts; a battle of four against one or two slimes, whose
// acting member runs the bytes as its skill script, for the battle runner. The first byte picks
// the runner, the second the event, animation player or battle set-up, the rest is the script.
// Frames of the main loop follow, so that whatever the script left in the slots (field, text
// box, script mode, the battle's phases) runs too.
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/battle/Battle.h"
#include "engine/battle/BattleState.h"
#include "engine/core/MainLoop.h"
#include "engine/field/FieldState.h"
#include "engine/platform/headless/EngineHarness.h"
#include "engine/script/ScriptRunner.h"
#include "fuzz/common/FuzzInput.h"
#include "tests/engine/BmpFile.h"
#include "tests/engine/battle/BattleGame.h"

namespace {

// A picture with one colour per 16 x 16 cell, so every tile has its own colour.
std::vector<std::uint8_t> CellBmp(int width, int height) {
    return MakeBmp(width, height, [](int x, int y) {
        return static_cast<std::uint32_t>((x == 0 && y == 0 ? 0 : 200) << 16 |
                                          (8 + 16 * (y / 16)) << 8 | (8 + 16 * (x / 16)));
    });
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

// The battle's files, written once.
const std::filesystem::path& BattleDirectory() {
    static const std::unique_ptr<BattleGame> files = [] {
        auto g = std::make_unique<BattleGame>();
        g->WriteStandardFiles();
        return g;
    }();
    return files->h.gameDir;
}

// The bits of `setUp`: 0 the group (one or two slimes), 1-3 the acting slot (a member or the
// first slime), 4-5 the skill, 6-7 the slot under the cursor. The action starts as the battle
// starts it once its message has been read.
void FightWithScript(int setUp, const std::vector<std::uint8_t>& script) {
    BattleGame g(BattleDirectory());
    Engine& engine = g.engine;
    g.LoadGame();
    g.StartBattle(setUp & 1);
    if (!engine.Battle) FuzzFailure();
    BattleState& b = *engine.Battle;
    constexpr std::array<int, 4> kCursorSlots = {0, 2, kPartySlots, kPartySlots + 1};
    const int acting = (setUp >> 1 & 7) % (kPartySlots + 1);
    b.cursor = PackCursor(FirstCell(b.grid, kCursorSlots[static_cast<std::size_t>(setUp >> 6 & 3)])
                              .value_or(GridCell{}));
    b.pending[static_cast<std::size_t>(acting)] = 1 + (setUp >> 4 & 3);
    ExecuteNextAction(engine);
    if (engine.ModeProc != ActionStart) FuzzFailure();
    if (std::none_of(b.targeted.begin(), b.targeted.end(), [](auto t) { return t != 0; })) return;
    b.enemyActing = 0;
    b.messageTimer = 1;
    b.skillScript.Load(script);
    engine.ModeProc = ActionRun;
    // Until the action and whatever it started are over, or the battle is.
    g.HoldUntil("", 150, [&] {
        return !engine.Battle || engine.ModeProc == FreeMove || engine.ModeProc == IdleProc ||
               engine.ModeProc == VictoryWait;
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int runner = data[0] % 4;  // global, event, animation, battle
    const int index = data[1];
    std::vector<std::uint8_t> script(data + 2, data + size);
    if (runner == 3) {
        FightWithScript(index, script);
        return 0;
    }

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
        }
    }
    for (int frame = 0; frame < 3; ++frame)
        if (!LoopOnce(engine)) break;
    return 0;
}
