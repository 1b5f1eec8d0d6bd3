// The phases in which the player moves a party member and picks its action: the intro, free
// movement, the command and skill menus, aiming and the animated step.
#include <string>

#include "engine/battle/Battle.h"
#include "engine/battle/BattlePhase.h"
#include "engine/battle/BattleRetreat.h"
#include "engine/battle/BattleState.h"
#include "engine/battle/BattleTexts.h"
#include "engine/core/Draw.h"
#include "engine/core/Sound.h"
#include "engine/words/Words.h"

void FillCommandMenu(Engine& engine) {
    QCBOX& menu = State(engine).menu;
    menu.Create(4);
    menu.SetItem(engine, 0, engine.GameWords[Word::Fight], 0);
    menu.SetItem(engine, 1, engine.GameWords[Word::Pass], 0);
    menu.SetItem(engine, 2, engine.GameWords[Word::Item], 0);
    menu.SetItem(engine, 3, engine.GameWords[Word::Retreat], 0);
    menu.AutoSize();
    menu.x = 16;
    menu.y = 252;
    menu.width += 24;
    menu.cursor = 0;
}

int HeldArrow(const Engine& engine) {
    static constexpr Key kArrows[4] = {Key::Up, Key::Down, Key::Left, Key::Right};
    for (int dir = 0; dir < 4; ++dir) {
        if (Held(engine, kArrows[dir])) return dir;
    }
    return -1;
}

namespace {

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

}  // namespace

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
                case 3:
                    ChooseRetreat(engine);
                    break;
                case 2:
                    ChooseItem(engine);
                    break;
                default:
                    break;
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
    caption += engine.GameWords[Word::SkillsOf];
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
