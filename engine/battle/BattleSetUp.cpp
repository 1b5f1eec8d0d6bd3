// The battle's set-up from the field and its tear-down back to the field.
#include <algorithm>
#include <cstdio>
#include <string>

#include "engine/battle/Battle.h"
#include "engine/battle/BattlePhase.h"
#include "engine/battle/BattleState.h"
#include "engine/core/Sound.h"
#include "engine/field/FieldState.h"
#include "engine/game/GameEvents.h"
#include "engine/script/ScriptRunner.h"

namespace {

std::string BattlePictureName(const char* pictureName) {
    return std::string("pic\\") + pictureName;
}

void SetUpParty(Engine& engine) {
    BattleState& b = State(engine);
    for (int i = 0; i < kPartySlots; ++i) {
        const std::int32_t number = engine.PartyLineup[static_cast<std::size_t>(i)];
        const bool known =
            number >= 0 && static_cast<std::size_t>(number) < engine.CharacterTable.size();
        if (!known) {
            char text[96];
            std::snprintf(text, sizeof text,
                          "Party slot %d names character %d, which does not exist", i,
                          static_cast<int>(number));
            ErrorBox(engine, text);
        }
        if (known) {
            b.combatant[i] = &engine.CharacterTable[static_cast<std::size_t>(number)];
        } else if (!engine.CharacterTable.empty()) {
            b.combatant[i] = &engine.CharacterTable[0];
        } else {
            b.combatant[i] = &b.placeholder;
        }
        b.alive[i] = b.combatant[i]->hp != 0 ? 1 : 0;
        Actor& actor = SlotActor(engine, i);
        if (number == 0 || !known) {
            actor.level = 0;
        } else {
            actor.picture.LoadFile(engine, BattlePictureName(b.combatant[i]->pictureName));
            actor.level = 32;
            b.pose[i] = {0, 1};
        }
    }
}

}  // namespace

void BattleStartMode(Engine& engine) {
    BeginBattleRecord(engine, engine.Field.enemyGroup);
    LoadMap(engine, "NO");
    engine.Battle = std::make_unique<BattleState>();
    RegisterShutdown(engine, ShutdownStep::BattleState, DestroyBattle);
    BattleState& b = State(engine);
    for (int i = 0; i < kSlotCount; ++i) {
        b.combatant[i] = i < kPartySlots ? &b.placeholder : &b.enemyRecord[i - kPartySlots];
    }

    FieldState& field = engine.Field;
    const std::size_t count = std::min(engine.Actors.size(), field.movers.size());
    for (std::size_t i = 0; i < count; ++i) field.movers[i].saved = engine.Actors[i];
    b.savedActorCount = static_cast<std::int32_t>(engine.Actors.size());

    engine.Actors.clear();
    engine.Actors.resize(kSlotCount);
    for (Actor& actor : engine.Actors) {
        actor.level = 0;
        actor.width = 32;
        actor.height = 32;
    }

    LoadEnemyGroup(engine, field.enemyGroup);
    for (int s = kPartySlots; s < kSlotCount; ++s) {
        if (b.enemyRecord[s - kPartySlots].maxHp == 0) {
            SlotActor(engine, s).level = 0;
            b.alive[s] = 0;
        } else {
            b.alive[s] = 1;
        }
    }

    b.cameraX = b.cameraY = 0;
    char background[64];
    std::snprintf(background, sizeof background, "pic\\btlBG\\btlBG%d",
                  static_cast<int>(field.battleBackground));
    b.background.LoadFile(engine, background);

    engine.SceneProc = DrawBattle;
    engine.ModeProc = BattleIntro;
    b.idleTimer = 0;
    b.frameCounter = 0;
    b.activeSlot = 0;
    b.aiming = 0;
    b.idleAnimOn = 1;
    b.enemyMover = -1;
    b.partyMover = -1;
    b.enemyTurn = 4;

    SetUpParty(engine);
    for (int s = kPartySlots; s < kSlotCount; ++s) {
        b.pose[s] = {0, 0};
        if (b.alive[s]) {
            Actor& actor = SlotActor(engine, s);
            actor.facing = 0;
            actor.walkFrame = 0;
            actor.stepX = -1;
        }
    }
    for (int s = 0; s < kSlotCount; ++s) {
        b.pending[s] = 0;
        b.targeted[s] = 0;
        if (SlotActor(engine, s).level == 0) b.alive[s] = 0;
    }
    // The first living member begins: one knocked out before the battle never takes a turn.
    for (int s = kPartySlots - 1; s >= 0; --s) {
        if (b.alive[s]) b.activeSlot = s;
    }
    RebuildGrid(engine);
    b.numbersTimer = 0;
    b.enemyActing = 0;
    b.showHp = 0;
    PlayMusic(engine, "BGM\\btl2.mid");
}

void DestroyBattle(Engine& engine) {
    engine.Battle.reset();
}

void EndBattle(Engine& engine, BattleOutcome outcome) {
    // The global script goes on behind its `f` 10 as a character's script does: before `f` 0
    // it holds control anyway, after it the battle came from a tile event it was running.
    const bool resumeGlobalScript =
        engine.Field.scriptMode != 0 || engine.Game.battleStarter == GameState::kGlobalScript;
    EndBattleRecord(engine, outcome);
    const auto count = static_cast<std::size_t>(std::max(State(engine).savedActorCount, 0));
    engine.Actors.clear();
    engine.Actors.resize(count);
    DestroyBattle(engine);

    FieldState& field = engine.Field;
    LoadMap(engine, field.mapName);
    for (std::size_t i = 0; i < count && i < field.movers.size(); ++i) {
        Mover& mover = field.movers[i];
        Actor& actor = engine.Actors[i];
        actor = mover.saved;
        if (!mover.name.empty()) {
            const std::int32_t level = actor.level;
            actor.picture.LoadFile(engine, "pic\\" + mover.name);
            actor.level = level;
        }
    }
    engine.SceneProc = FieldScene;
    engine.InputTimer = -96;
    // The global script may start another scene at once, so it runs after ModeProc is set.
    if (resumeGlobalScript) {
        engine.ModeProc = ScriptMode;
        RunGlobalScript(engine);
    } else {
        engine.ModeProc = PlayerControl;
    }
}
