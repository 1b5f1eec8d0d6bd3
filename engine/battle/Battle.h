#pragma once
#include <cstdint>
#include <string_view>

#include "engine/battle/BattleGrid.h"
#include "engine/game/BattleOutcome.h"

struct Actor;
struct BattleState;
struct CharRecord;
struct Engine;
struct SkillRecord;
class QDCR;

// ---- set-up and tear-down ----

// The ModeProc that `f` 10 installs: builds the battle in the next frame.
void BattleStartMode(Engine& engine);
// Tears the battle down and hands the field back to the global script or the player; the script
// that started the battle gets the outcome in P2.
void EndBattle(Engine& engine, BattleOutcome outcome = BattleOutcome::Won);
// Frees the battle state if a battle runs (the shutdown's part).
void DestroyBattle(Engine& engine);

// Fills enemy slots 4..10 from the group file's line `group` and places all eleven actors.
void LoadEnemyGroup(Engine& engine, std::int32_t group);
// Fills the enemy record, picture and action list of `slot` from enemy file `number`.
void LoadEnemy(Engine& engine, int slot, std::int32_t number);

// ---- grid, movement and turns ----

Actor& SlotActor(Engine& engine, int slot);
CharRecord& Combatant(Engine& engine, int slot);
// The skill of an id, or an empty record for an id outside the skill table.
const SkillRecord& SkillOf(const Engine& engine, std::int32_t id);

void RebuildGrid(Engine& engine);
bool CanStep(Engine& engine, int slot, int dir);
// Turns the slot's actor towards dir and says whether a step that way stays on the battlefield.
bool TryTurn(Engine& engine, int slot, int dir);
void UpdatePose(Engine& engine, int slot);
void ShowPoseFrame(Engine& engine, int slot);
void NextPartyMember(Engine& engine);
void NextEnemyTurn(Engine& engine, int k);
void ShowBattleMessage(Engine& engine, std::string_view text, bool permanent);
void FinishAction(Engine& engine);

// ---- phases (ModeProc) ----

void BattleIntro(Engine& engine);
void FreeMove(Engine& engine);
void CommandMenu(Engine& engine);
void SkillMenu(Engine& engine);
void Aiming(Engine& engine);
void StepAnim(Engine& engine);
void ExecuteNextAction(Engine& engine);
void ActionStart(Engine& engine);
void ActionRun(Engine& engine);
void KnockbackRun(Engine& engine);
void FadeDefeated(Engine& engine);
void AfterAction(Engine& engine);
// The last enemy has fallen: the rewards are given and 戦いに勝った！！ is shown.
void BeginVictory(Engine& engine);
// Shift shows the next page of the victory (rewards, levels gained), then ends the battle.
void VictoryWait(Engine& engine);
// アイテム: the party's usable items in the menu; with none, a message. A game without an item
// table keeps アイテム doing nothing.
void ChooseItem(Engine& engine);
void ItemMenu(Engine& engine);
void ItemAiming(Engine& engine);
void ItemEffect(Engine& engine);
// After 全滅した: Shift, once the message has stood for 2 s, fades back to the title menu.
void DefeatWait(Engine& engine);

// ---- rules ----

void MarkReach(Engine& engine, int slot, int mode);
void BeginAiming(Engine& engine);
void MoveCursor(Engine& engine, int dir);
void FaceCursor(Engine& engine);
void MarkTargets(Engine& engine);
// One enemy's tick: 0 nothing, 1 an action was committed, 2 a step was started.
int EnemyTick(Engine& engine);
void ComputeEffects(Engine& engine, int attacker, std::uint16_t power, std::uint8_t kind);
void ApplyEffects(Engine& engine);
int NthTarget(Engine& engine, std::int32_t n);
// The battle's instruction class `w`, run by the skill scripts.
enum class BattleOp : std::int8_t {
    EndAction = 0,
    Nothing = 1,
    PlaceAnimation = 2,
    WaitForAnimations = 3,
    PushTargets = 4,
    WaitForNumbers = 5,
    ComputeEffect = 6,
    ActingCombatant = 7,
    IsEnemy = 8,
    NthTarget = 9,
    TurnRound = 10,
    IsMiss = 11,
    PushAwayFromAttacker = 12,
};
void BattleInstructionW(Engine& engine, QDCR& context, std::int8_t opcode);
// Registers the battle's instructions of the other classes (`f` 10, the start of a battle, and
// `f` 34, the party members' figures and the inn).
void RegisterBattleInstructions(Engine& engine);
void RegisterPartyInstructions(Engine& engine);

// ---- screen ----

enum class MarkerLabel { Label, MessageBox };

void DrawBattle(Engine& engine);
void DrawMessage(Engine& engine, std::string_view text);
void DrawMessageLeft(Engine& engine, std::string_view text);
void MarkActive(Engine& engine, MarkerLabel choice);
void DrawPartyHp(Engine& engine);
// The caption box above the menu, moved right by `offset` pixels.
void DrawCaption(Engine& engine, std::string_view text, int offset);
void NumbersStep(Engine& engine);

// The rise of a damage digit over its bounce, for p = 0..14 (0 otherwise).
int NumberLift(int p);
