// The four script runners executing arbitrary bytes in a small game on the headless platform: a
// 20 x 20 map with its tile set and marks, up to 256 actors with event objects and the twelve
// animation players for the global, event and animation scripts; a battle of four against one or
// two slimes, whose acting member runs the bytes as its skill script, for the battle runner.
//
// Input: runner (0 global, 1 event, 2 animation, 3 battle), the event, animation player or battle
// set-up, the actor count - 1, the number k (mod 16) of key bytes, k key bytes, then the script.
// The field scene then runs frame by frame through the main loop with the player in control (or the
// global script), each key byte holding its keys for two frames: walking, talking, tile events and
// the event scripts of every actor all run.
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
#include "engine/title/GameWiring.h"
#include "fuzz/common/FuzzInput.h"
#include "tests/engine/BmpFile.h"
#include "tests/engine/battle/BattleGame.h"

namespace {

constexpr int kFramesPerKeyByte = 2;

// A picture with one colour per 16 x 16 cell, so every tile has its own colour.
std::vector<std::uint8_t> CellBmp(int width, int height) {
    return MakeBmp(width, height, [](int x, int y) {
        return static_cast<std::uint32_t>((x == 0 && y == 0 ? 0 : 200) << 16 |
                                          (8 + 16 * (y / 16)) << 8 | (8 + 16 * (x / 16)));
    });
}

// The game directory, written once: tile set 0, the map "TOWN" with a few marks, a character
// sheet and an animation sheet, and one script each runner can READ.
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
                map.push_back(static_cast<std::uint8_t>(layer == 0   ? 1 + i % 0x20
                                                        : layer == 2 ? (i % 7 == 0 ? 1 + i % 3 : 0)
                                                                     : 0));
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

// The key script: each key byte (its eight bits are the eight keys) for two frames.
void HoldKeys(HeadlessPlatform& platform, const std::vector<std::uint8_t>& keys,
              std::uint64_t firstFrame) {
    std::string text;
    std::uint64_t frame = firstFrame;
    for (const std::uint8_t k : keys) {
        text += std::to_string(frame) + " " + KeyNames(k) + "\n";
        frame += kFramesPerKeyByte;
    }
    text += std::to_string(frame) + "\n";
    InputScript input;
    std::string error;
    if (!input.Parse(text, error)) FuzzFailure();
    platform.SetInput(std::move(input));
}

void RunFrames(Engine& engine, std::size_t keyBytes) {
    const std::size_t frames = kFramesPerKeyByte * keyBytes + 3;
    for (std::size_t f = 0; f < frames; ++f)
        if (!LoopOnce(engine)) return;
}

// The bits of `setUp`: 0 the group (one or two slimes), 1-3 the acting slot (a member or the
// first slime), 4-5 the skill, 6-7 the slot under the cursor. The action starts as the battle
// starts it once its message has been read.
void FightWithScript(int setUp, const std::vector<std::uint8_t>& script,
                     const std::vector<std::uint8_t>& keys) {
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
    // Until the action and whatever it started are over, or the battle is; then the keys.
    g.HoldUntil("", 150, [&] {
        return !engine.Battle || engine.ModeProc == FreeMove || engine.ModeProc == IdleProc ||
               engine.ModeProc == VictoryWait;
    });
    HoldKeys(g.h.platform, keys, engine.FrameNumber + 1);
    RunFrames(engine, keys.size());
}

// Actors on the first rows of the map, the first five with the hero's picture.
void PlaceActors(Engine& engine, int count) {
    CreateActors(engine, count);
    for (int i = 0; i < count; ++i) {
        Actor& actor = engine.Actors[static_cast<std::size_t>(i)];
        actor.x = TileToX(1 + i % 18);
        actor.y = TileToY(1 + i / 18);
        if (i < kPartySize) SetActorPicture(engine, i, "hero");
        actor.level = 32;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4 || size < 4u + data[3] % 16) return 0;
    const int runner = data[0] % 4;  // global, event, animation, battle
    const int index = data[1];
    const int actorCount = 1 + data[2];
    const std::size_t keyCount = data[3] % 16;
    const std::vector<std::uint8_t> keys(data + 4, data + 4 + keyCount);
    const std::vector<std::uint8_t> script(data + 4 + keyCount, data + size);
    if (runner == 3) {
        FightWithScript(index, script, keys);
        return 0;
    }

    HeadlessOptions options;
    options.boxesToStderr = false;
    HeadlessPlatform platform(options);
    Engine engine(platform, GameDirectory().gameDir);
    engine.fixedSeed = 1;
    engine.random.seed(1);
    DisplayOpen(engine);
    ConnectSubsystems(engine);
    InitField(engine);
    if (!LoadMap(engine, "TOWN")) FuzzFailure();
    PlaceActors(engine, actorCount);
    engine.SceneProc = FieldScene;
    engine.ModeProc = PlayerControl;
    switch (runner) {
        case 0:
            engine.Scripts.GlobalScript.Load(script);
            engine.ModeProc = ScriptMode;
            break;
        case 1:
            // Every character runs the bytes, so that scripts that run the others (`c` -2)
            // meet as many as there are.
            for (std::size_t i = kPartySize; i < engine.Field.events.size(); ++i) {
                engine.Field.events[i]->script.Load(script);
                engine.Field.events[i]->active = 1;
            }
            if (engine.Field.events.size() <= kPartySize && !engine.Field.events.empty())
                engine.Field.events.back()->script.Load(script);
            RunEventScript(engine, index % actorCount);
            break;
        default: {
            const int player = index % kAnimActorCount;
            AnimActor& anim = engine.Scripts.AnimActors[static_cast<std::size_t>(player)];
            anim.script.Load(script);
            anim.active = 1;
            for (int call = 0; call < 3; ++call) RunAndDrawAnimActor(engine, player, 120, 320);
            break;
        }
    }
    HoldKeys(platform, keys, engine.FrameNumber + 1);
    RunFrames(engine, keys.size());
    return 0;
}
