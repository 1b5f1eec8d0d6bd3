// A whole battle driven by keys: the menus, aiming, steps, the enemies' ticks, skill scripts with
// their knock-backs, victory and defeat. The first byte sets the battle up (bit 0 the group of
// one or two slimes, bit 1 the first member knocked out, bit 2 the whole party knocked out, bit 3
// an empty line-up position, bits 4-5 the slimes' strength); every further byte holds keys for a
// few frames: its low six bits are up, down, left, right, shift and ctrl, its top two bits the
// length (1, 5, 9 or 13 frames). Whatever happens, the player only ever commands party slots.
#include <memory>
#include <string>

#include "engine/battle/Battle.h"
#include "engine/battle/BattleState.h"
#include "engine/core/MainLoop.h"
#include "engine/platform/InputScript.h"
#include "fuzz/common/FuzzInput.h"
#include "tests/engine/battle/BattleGame.h"

namespace {

constexpr std::size_t kMaxKeyBytes = 64;

// The battle's files, written once per strength of the slimes.
const std::filesystem::path& BattleDirectory(int strength) {
    static std::unique_ptr<BattleGame> files[4];
    auto& g = files[strength];
    if (!g) {
        g = std::make_unique<BattleGame>();
        g->WriteStandardFiles();
        const int attack = 10 + 80 * strength;
        g->WriteEnemy(1, "slime", 20 + 40 * strength, {0, attack, 3 + strength, 2, 5, 0, 1, 0},
                      "2:\n2-1\n1-1\n");
    }
    return g->h.gameDir;
}

bool PlayerPhase(Routine mode) {
    return mode == FreeMove || mode == CommandMenu || mode == SkillMenu || mode == Aiming;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const int setUp = data[0];
    BattleGame g(BattleDirectory(setUp >> 4 & 3));
    Engine& engine = g.engine;
    g.LoadGame();
    if (setUp & 2) engine.CharacterTable[static_cast<std::size_t>(engine.PartyLineup[0])].hp = 0;
    if (setUp & 4)
        for (const auto number : engine.PartyLineup)
            engine.CharacterTable[static_cast<std::size_t>(number)].hp = 0;
    if (setUp & 8) engine.PartyLineup[2] = 0;
    g.StartBattle(setUp & 1);

    std::string keys;
    std::uint64_t frame = engine.FrameNumber + 1;
    for (std::size_t i = 1; i < size && i <= kMaxKeyBytes; ++i) {
        keys += std::to_string(frame) + " " + KeyNames(data[i] & 0x3F) + "\n";
        frame += 1 + 4 * (data[i] >> 6);
    }
    keys += std::to_string(frame) + "\n";
    g.h.SetKeys(keys);
    while (engine.FrameNumber < frame + 30 && LoopOnce(engine)) {
        if (!engine.Battle) break;
        const BattleState& b = *engine.Battle;
        if (PlayerPhase(engine.ModeProc) && (b.activeSlot < 0 || b.activeSlot >= kPartySlots))
            FuzzFailure();
    }
    return 0;
}
