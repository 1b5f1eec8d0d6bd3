// The battle's set-up and tear-down, the grid bookkeeping, movement, turns and phases.
#include <algorithm>
#include <cstdio>
#include <string>

#include "engine/battle/Battle.h"
#include "engine/battle/BattleRules.h"
#include "engine/battle/BattleState.h"
#include "engine/battle/BattleTexts.h"
#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/core/Sound.h"
#include "engine/field/FieldState.h"
#include "engine/script/ScriptRunner.h"

namespace {

constexpr int kMenuDelay = 86;           // InputTimer a phase waits for before it reads keys
constexpr int kActionFrameLimit = 1800;  // about 29 seconds for one action's skill script

bool Held(const Engine& engine, Key key) {
    return engine.Keys[key] == KEY_HELD;
}

BattleState& State(Engine& engine) {
    return *engine.Battle;
}

void Chime(Engine& engine) {
    BattleState& b = State(engine);
    if (b.chimePlayed) return;
    b.chimePlayed = 1;
    PlayEffect(engine, kKinSoundSlot);
    b.showHp = 1;
}

void FillCommandMenu(Engine& engine) {
    QCBOX& menu = State(engine).menu;
    menu.Create(4);
    menu.SetItem(engine, 0, kFightText, 0);
    menu.SetItem(engine, 1, kPassText, 0);
    menu.SetItem(engine, 2, kItemText, 0);
    menu.SetItem(engine, 3, kRetreatText, 0);
    menu.AutoSize();
    menu.x = 16;
    menu.y = 252;
    menu.width += 24;
    menu.cursor = 0;
}

void FillSkillMenu(Engine& engine) {
    QCBOX& menu = State(engine).menu;
    menu.Create(8);
    // Every party member has these four skills, in this order.
    static constexpr int kMenuSkills[4] = {1, 3, 4, 2};
    for (int i = 0; i < 4; ++i) {
        const int id = kMenuSkills[i];
        if (id < static_cast<int>(engine.SkillTable.size())) {
            menu.SetItem(engine, i, engine.SkillTable[static_cast<std::size_t>(id)].name, id);
        }
    }
    menu.AutoSize();
    menu.x = 0;
    menu.width = 240;
    menu.height -= 56;
    menu.y = 420 - menu.height;
    menu.cursor = 0;
    // The first entry may be empty when the skill database is short.
    if (menu.Selected() && menu.Selected()->text.empty()) menu.Move(1);
}

bool AnyAlive(const BattleState& b, int from, int to) {
    return std::any_of(b.alive.begin() + from, b.alive.begin() + to, [](auto a) { return a != 0; });
}

int HeldArrow(const Engine& engine) {
    static constexpr Key kArrows[4] = {Key::Up, Key::Down, Key::Left, Key::Right};
    for (int dir = 0; dir < 4; ++dir) {
        if (Held(engine, kArrows[dir])) return dir;
    }
    return -1;
}

void MoveActorOneCell(Actor& actor, int dir, int sign) {
    switch (dir) {
        case kDirUp:
            actor.y -= 24 * sign;
            break;
        case kDirDown:
            actor.y += 24 * sign;
            break;
        case kDirLeft:
            actor.x -= 32 * sign;
            break;
        case kDirRight:
            actor.x += 32 * sign;
            break;
        default:
            break;
    }
}

void StepMover(Engine& engine, int slot, int dir, bool party) {
    if (slot < 0) return;
    Actor& actor = SlotActor(engine, slot);
    switch (dir) {
        case kDirUp:
            actor.y -= 3;
            break;
        case kDirDown:
            actor.y += 3;
            break;
        case kDirLeft:
            actor.x -= 4;
            break;
        case kDirRight:
            actor.x += 4;
            break;
        default:
            break;
    }
    if (party) actor.walkFrame = actor.walkFrame == 0 ? 1 : 0;
}

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

// ---- accessors ----

Actor& SlotActor(Engine& engine, int slot) {
    // A skill script may re-create the actors (`f` 11); the battle keeps its eleven regardless.
    if (engine.Actors.size() < static_cast<std::size_t>(kSlotCount))
        engine.Actors.resize(kSlotCount);
    return engine.Actors[static_cast<std::size_t>(slot)];
}

CharRecord& Combatant(Engine& engine, int slot) {
    return *State(engine).combatant[static_cast<std::size_t>(slot)];
}

const SkillRecord& SkillOf(const Engine& engine, std::int32_t id) {
    static const SkillRecord kNoSkill{};
    if (id < 0 || static_cast<std::size_t>(id) >= engine.SkillTable.size()) return kNoSkill;
    return engine.SkillTable[static_cast<std::size_t>(id)];
}

// ---- set-up and tear-down ----

void BattleStartMode(Engine& engine) {
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
    RebuildGrid(engine);
    b.numbersTimer = 0;
    b.enemyActing = 0;
    b.showHp = 0;
    PlayMusic(engine, "BGM\\btl2.mid");
}

void DestroyBattle(Engine& engine) {
    engine.Battle.reset();
}

void EndBattle(Engine& engine) {
    PlayMusic(engine, "null");
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
    if (field.scriptMode) {
        engine.ModeProc = ScriptMode;
        RunGlobalScript(engine);
    } else {
        engine.ModeProc = PlayerControl;
    }
}

// ---- grid, movement and turns ----

namespace {

CellBox SlotBox(Engine& engine, int slot) {
    const Actor& a = SlotActor(engine, slot);
    return ActorCellBox(a.x, a.y, a.width, a.height);
}

}  // namespace

void RebuildGrid(Engine& engine) {
    BattleState& b = State(engine);
    b.grid = {};
    for (int n = 0; n < kSlotCount; ++n) {
        if (SlotActor(engine, n).level != 0) MarkBox(b.grid, SlotBox(engine, n), n + 1);
    }
}

bool CanStep(Engine& engine, int slot, int dir) {
    return BoxFree(State(engine).grid, Shifted(SlotBox(engine, slot), dir), slot);
}

bool TryTurn(Engine& engine, int slot, int dir) {
    Actor& a = SlotActor(engine, slot);
    switch (dir) {
        case kDirUp:
            a.facing = 1;
            return a.y - a.height > 239;
        case kDirDown:
            a.facing = 0;
            return a.y < 404;
        case kDirLeft:
            a.stepX = 1;
            return a.x > 24;
        case kDirRight:
            a.stepX = -1;
            return a.x + a.width < 247;
        default:
            return false;
    }
}

void UpdatePose(Engine& engine, int slot) {
    if (slot < 0 || slot >= kPartySlots) return;
    BattleState& b = State(engine);
    const CharRecord& r = Combatant(engine, slot);
    auto& pose = b.pose[static_cast<std::size_t>(slot)];
    if (!b.alive[slot]) {
        pose = {4, 4};
    } else if (b.pending[slot] != 0) {
        pose = {5, 5};
    } else if (r.hp < r.maxHp / 4) {
        pose = {2, 3};
    } else {
        pose = {0, 1};
    }
}

void ShowPoseFrame(Engine& engine, int slot) {
    BattleState& b = State(engine);
    SlotActor(engine, slot).walkFrame = b.pose[static_cast<std::size_t>(slot)][b.idlePhase & 1];
}

void NextPartyMember(Engine& engine) {
    BattleState& b = State(engine);
    int next = -1;
    for (int s = b.activeSlot + 1; s < kPartySlots && next < 0; ++s) {
        if (b.alive[s]) next = s;
    }
    for (int s = 0; s <= b.activeSlot && s < kPartySlots && next < 0; ++s) {
        if (b.alive[s]) next = s;
    }
    // With no member alive the turn stays with the party (the defeat follows): the enemies'
    // slots are never handed to the player.
    if (next < 0) next = (std::clamp(b.activeSlot, 0, kPartySlots - 1) + 1) % kPartySlots;
    b.activeSlot = next;
    engine.ModeProc = FreeMove;
    engine.InputTimer = -48;
}

void NextEnemyTurn(Engine& engine, int k) {
    BattleState& b = State(engine);
    for (int s = std::max(b.enemyTurn + k, kPartySlots); s < kSlotCount; ++s) {
        if (b.alive[s]) {
            b.enemyTurn = s;
            return;
        }
    }
    for (int s = kPartySlots; s < kSlotCount; ++s) {
        if (b.alive[s]) {
            b.enemyTurn = s;
            return;
        }
    }
}

void ShowBattleMessage(Engine& engine, std::string_view text, bool permanent) {
    BattleState& b = State(engine);
    b.message.assign(text.substr(0, 255));
    b.messageTimer = permanent ? -1 : 128;
}

// ---- phases ----

void BattleIntro(Engine& engine) {
    BattleState& b = State(engine);
    ++b.frameCounter;
    if (b.frameCounter < 16) FadeScreen(engine, 2 * b.frameCounter);
    if (b.frameCounter >= 27) {
        b.frameCounter = 0;
        NextEnemyTurn(engine, 0);
        b.chimePlayed = 1;
        PlayEffect(engine, kKinSoundSlot);
        b.showHp = 1;
        // A party without a living member has lost before anyone moves.
        engine.ModeProc = AnyAlive(b, 0, kPartySlots) ? FreeMove : AfterAction;
    }
}

void FreeMove(Engine& engine) {
    BattleState& b = State(engine);
    if (engine.InputTimer >= kMenuDelay) {
        if (Held(engine, Key::Shift)) {
            b.showHp = 0;
            engine.InputTimer = -48;
            PlayEffect(engine, kCursorSoundSlot);
            FillCommandMenu(engine);
            b.menuOpened = 1;
            b.partyMover = -1;
            engine.ModeProc = CommandMenu;
        } else if (Held(engine, Key::Ctrl)) {
            b.showHp = 1;
        } else if (const int dir = HeldArrow(engine); dir >= 0) {
            if (TryTurn(engine, b.activeSlot, dir)) {
                b.showHp = 0;
                if (CanStep(engine, b.activeSlot, dir)) {
                    b.menuOpened = 0;
                    // The grid reserves the destination while the step is animated.
                    Actor& actor = SlotActor(engine, b.activeSlot);
                    MoveActorOneCell(actor, dir, 1);
                    RebuildGrid(engine);
                    MoveActorOneCell(actor, dir, -1);
                    b.partyMoveDir = dir;
                    b.partyMover = b.activeSlot;
                    b.frameCounter = 0;
                    engine.ModeProc = StepAnim;
                    EnemyTick(engine);
                }
            }
        }
    }
    if (b.showHp) {
        DrawPartyHp(engine);
        MarkActive(engine, MarkerLabel::MessageBox);
    } else {
        MarkActive(engine, MarkerLabel::Label);
    }
}

void CommandMenu(Engine& engine) {
    BattleState& b = State(engine);
    if (engine.InputTimer >= kMenuDelay) {
        if (Held(engine, Key::Shift)) {
            switch (b.menu.cursor) {
                case 0:
                    PlayEffect(engine, kCursorSoundSlot);
                    FillSkillMenu(engine);
                    engine.InputTimer = -48;
                    engine.ModeProc = SkillMenu;
                    break;
                case 1:
                    NextPartyMember(engine);
                    break;
                default:
                    break;  // item and retreat do nothing
            }
        } else if (Held(engine, Key::Ctrl)) {
            engine.InputTimer = 0;
            engine.ModeProc = FreeMove;
        } else {
            b.menu.InputList(engine);
        }
    }
    DrawCaption(engine, Combatant(engine, b.activeSlot).name, 0);
    b.menu.DrawList(engine);
}

void SkillMenu(Engine& engine) {
    BattleState& b = State(engine);
    if (engine.InputTimer >= kMenuDelay) {
        const QCBOX::Entry* selected = b.menu.Selected();
        if (Held(engine, Key::Shift)) {
            if (selected && selected->value > 0) {
                b.pending[b.activeSlot] = selected->value;
                BeginAiming(engine);
                engine.InputTimer = -48;
                engine.ModeProc = Aiming;
            }
        } else if (Held(engine, Key::Ctrl)) {
            PlayEffect(engine, kCursorSoundSlot);
            FillCommandMenu(engine);
            engine.InputTimer = -48;
            engine.ModeProc = CommandMenu;
        } else {
            b.menu.InputGrid(engine);
        }
    }
    // The box may have been re-filled above; read the entry afresh.
    if (const QCBOX::Entry* selected = b.menu.Selected())
        DrawMessageLeft(engine, SkillOf(engine, selected->value).description);
    std::string caption = Combatant(engine, b.activeSlot).name;
    caption += kSkillsOfText;
    DrawCaption(engine, caption, 8);
    b.menu.DrawGrid(engine);
}

void Aiming(Engine& engine) {
    BattleState& b = State(engine);
    DrawMessage(engine, SkillOf(engine, b.pending[b.activeSlot]).name);
    if (engine.InputTimer < kMenuDelay) return;
    if (Held(engine, Key::Shift)) {
        engine.InputTimer = -48;
        UpdatePose(engine, b.activeSlot);
        ShowPoseFrame(engine, b.activeSlot);
        b.aiming = 0;
        engine.ModeProc = ExecuteNextAction;
    } else if (Held(engine, Key::Ctrl)) {
        engine.InputTimer = -48;
        b.pending[b.activeSlot] = 0;
        PlayEffect(engine, kCursorSoundSlot);
        FillSkillMenu(engine);
        b.aiming = 0;
        engine.ModeProc = SkillMenu;
    } else if (const int dir = HeldArrow(engine); dir >= 0) {
        MoveCursor(engine, dir);
    }
}

void StepAnim(Engine& engine) {
    BattleState& b = State(engine);
    ++b.frameCounter;
    // The marker and label stay in every frame of the step, its last one included.
    MarkActive(engine, MarkerLabel::Label);
    if (b.frameCounter <= 8) {
        StepMover(engine, b.partyMover, b.partyMoveDir, true);
        StepMover(engine, b.enemyMover, b.enemyMoveDir, false);
        return;
    }
    if (b.partyMover == -1) Chime(engine);
    RebuildGrid(engine);
    b.enemyMover = -1;
    b.enemyMoveDir = 0;
    if (b.enemyCommitted) {
        b.enemyCommitted = 0;
        ExecuteNextAction(engine);
    } else {
        engine.ModeProc = FreeMove;
    }
}

void ExecuteNextAction(Engine& engine) {
    BattleState& b = State(engine);
    engine.ModeProc = FreeMove;
    std::array<int, kSlotCount> order{};
    for (int s = 0; s < kSlotCount; ++s) order[s] = s;
    auto speed = [&](int slot) { return Combatant(engine, slot).stats[kStatSpeed]; };
    // The exchange sort decides the order among equal speeds.
    for (int i = 0; i < kSlotCount - 1; ++i) {
        for (int j = i + 1; j < kSlotCount; ++j) {
            if (speed(order[i]) < speed(order[j])) std::swap(order[i], order[j]);
        }
    }
    int c = -1;
    for (const int s : order) {
        if (b.pending[s] != 0) {
            c = s;
            break;
        }
    }
    if (c < 0) return;

    b.actingSlot = c;
    b.idleAnimOn = 0;
    b.chimePlayed = 0;
    b.savedActive = b.activeSlot;
    b.activeSlot = c;
    b.frameCounter = 0;
    b.actingSkill = b.pending[c];
    ShowBattleMessage(engine, SkillOf(engine, b.actingSkill).name, false);
    if (c >= kPartySlots) {
        MarkReach(engine, c, kReachEnemy);
        b.enemyActing = 1;
    }
    MarkTargets(engine);
    engine.ModeProc = ActionStart;
}

void ActionStart(Engine& engine) {
    BattleState& b = State(engine);
    const int acting = b.activeSlot;
    if (engine.InputTimer >= kMenuDelay) {
        ++b.frameCounter;
        if (b.frameCounter > 50 || engine.Keys[Key::Shift] == KEY_PRESSED) {
            b.enemyActing = 0;
            b.messageTimer = 1;
            const bool anyTarget =
                std::any_of(b.targeted.begin(), b.targeted.end(), [](int t) { return t != 0; });
            if (!anyTarget) {
                FinishAction(engine);
            } else {
                char name[32];
                std::snprintf(name, sizeof name, "ev\\wz\\wz%d", static_cast<int>(b.actingSkill));
                // A script that cannot be read must not replay the previous skill's leftovers.
                if (!b.skillScript.READ(engine, name)) b.skillScript.Reset();
                b.actionFrames = 0;
                engine.ModeProc = ActionRun;
            }
        }
    }
    if (acting >= kPartySlots && engine.Battle) MarkActive(engine, MarkerLabel::Label);
}

void ActionRun(Engine& engine) {
    BattleState& b = State(engine);
    if (++b.actionFrames > kActionFrameLimit) {
        // A skill that never reaches `w` 0 (a loop that yields, a wait on an animation that
        // never ends) would hold the battle for ever: it is stopped as if its script stopped.
        StopScript(engine, b.skillScript, "the skill did not finish within 1800 frames ('w' 0)");
        for (AnimActor& anim : engine.Scripts.AnimActors) anim.Clear();
        FinishAction(engine);
        return;
    }
    RunBattleScript(engine, b.skillScript, BattleInstructionW);
    if (!engine.Battle) return;
    // Only `w` 0 ends an action on purpose; a script that stops without it would leave the
    // battle waiting for ever, so its stop ends the action too.
    if (engine.ModeProc == ActionRun && engine.Battle->skillScript.Peek() == 0) {
        FinishAction(engine);
    }
    for (int i = 0; i < kAnimActorCount; ++i) {
        if (engine.Scripts.AnimActors[static_cast<std::size_t>(i)].active) {
            RunAndDrawAnimActor(engine, i, 0, 0);
        }
    }
    NumbersStep(engine);
}

void FinishAction(Engine& engine) {
    BattleState& b = State(engine);
    engine.Scripts.AnimActors[0].picture.Destroy();
    bool enemyFell = false;
    for (int s = kPartySlots; s < kSlotCount; ++s) {
        if (b.targeted[s] && !b.alive[s]) enemyFell = true;
    }
    b.idleAnimOn = 1;
    const int acting = b.actingSlot;
    b.pending[acting] = 0;
    UpdatePose(engine, acting);
    b.activeSlot = b.savedActive;
    if (acting < kPartySlots) NextPartyMember(engine);
    b.frameCounter = 16;
    engine.ModeProc = enemyFell ? FadeDefeated : AfterAction;
}

void FadeDefeated(Engine& engine) {
    BattleState& b = State(engine);
    const int old = b.frameCounter--;
    if (old >= 1) {
        for (int s = kPartySlots; s < kSlotCount; ++s) {
            if (b.targeted[s] && !b.alive[s]) {
                Actor& actor = SlotActor(engine, s);
                actor.level = std::max(actor.level - 2, 0);
            }
        }
        return;
    }
    b.targeted = {};
    RebuildGrid(engine);
    engine.ModeProc = AfterAction;
}

void AfterAction(Engine& engine) {
    BattleState& b = State(engine);
    if (!AnyAlive(b, 0, kPartySlots)) {
        ShowBattleMessage(engine, kDefeatText, true);
        b.frameCounter = 0;
        engine.InputTimer = 0;
        engine.ModeProc = DefeatWait;
        return;
    }
    if (!AnyAlive(b, kPartySlots, kSlotCount)) {
        b.idleAnimOn = 0;
        ShowBattleMessage(engine, kVictoryText, true);
        engine.ModeProc = VictoryWait;
        return;
    }
    b.targeted = {};
    b.effect = {};
    for (int s = 0; s < kPartySlots; ++s) UpdatePose(engine, s);
    if (b.menuOpened) {
        b.menuOpened = 0;
        b.partyMover = -1;
        const int result = EnemyTick(engine);
        if (result == 0) Chime(engine);
        if (result == 1) b.chimePlayed = 1;
    } else {
        Chime(engine);
        engine.ModeProc = ExecuteNextAction;
    }
    NextEnemyTurn(engine, 0);
}

void VictoryWait(Engine& engine) {
    if (engine.InputTimer >= kMenuDelay && Held(engine, Key::Shift)) EndBattle(engine);
}
