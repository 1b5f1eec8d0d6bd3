#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/battle/BattleGrid.h"
#include "engine/battle/GameData.h"
#include "engine/core/CDib.h"
#include "engine/field/QCBOX.h"
#include "engine/script/QDCR.h"

// Everything of one battle. It exists only while a battle runs (Engine::Battle is empty
// otherwise); actor i of the engine's actor table shows combatant slot i.
struct BattleState {
    std::int32_t savedActorCount = 0;  // the field's actor count, restored at the end
    std::int32_t cameraX = 0, cameraY = 0;
    std::int32_t frameCounter = 0;  // per-phase frame counter
    QCBOX menu;                     // the command menu and the skill menu (one box, re-filled)
    std::int32_t activeSlot = 0;    // whose turn it is; while an action runs, the acting slot
    std::int32_t enemyTurn = 4;     // the enemy whose tick comes next
    std::int32_t savedActive = 0;
    CDib background;
    // Slots 0..3 point into the character table (or at `placeholder` when the table has no such
    // character); slots 4..10 at the battle's own enemy records.
    std::array<CharRecord*, kSlotCount> combatant{};
    std::array<std::int32_t, kSlotCount> pending{};  // skill id of the slot's action, 0 = none
    std::int32_t menuOpened = 0;
    std::int32_t enemyCommitted = 0;
    std::int32_t idleAnimOn = 0;
    std::int32_t idleTimer = 0;  // milliseconds since the last idle frame change
    std::int32_t idlePhase = 0;
    std::array<std::array<std::int16_t, 2>, kSlotCount> pose{};  // the two idle frames
    std::int32_t partyMover = -1, enemyMover = -1;
    std::int32_t partyMoveDir = 0, enemyMoveDir = 0;
    CellGrid grid{};   // occupying slot + 1 per cell
    CellGrid reach{};  // 1 where the pending skill can be aimed
    std::int32_t aiming = 0;
    std::uint8_t cursor = 0;  // column in bits 0..3, row in bits 4..7
    std::array<std::int32_t, kSlotCount> effect{};
    std::array<std::int32_t, kSlotCount> targeted{};
    std::array<std::uint8_t, kSlotCount> knockback{};
    std::uint8_t knockbackIndex = 0;
    std::int32_t knockbackTimer = 0;
    std::int32_t numbersTimer = 0;
    std::int32_t showHp = 0;
    QDCR skillScript;             // runs the skill scripts
    std::int32_t actingSlot = 0;  // the slot whose action the skill script performs
    std::int32_t actingSkill = 0;
    std::int32_t actionFrames = 0;  // frames the skill script has run in this action
    std::int32_t enemyActing = 0;
    std::int32_t chimePlayed = 0;
    std::int32_t messageTimer = 0;  // frames left; -1 until replaced; 0 none
    std::string message;
    std::array<std::int32_t, kSlotCount> alive{};
    std::array<CharRecord, 7> enemyRecord{};
    std::array<std::vector<EnemyAction>, 7> actionList{};
    // Stands in for a party position whose character number has no character file.
    CharRecord placeholder{};
    std::int32_t aimedItem = 0;  // the item being aimed or used (アイテム), 0 = none
    // The pages shown after 戦いに勝った！！, one a Shift: the rewards, then each level gained.
    std::vector<std::string> victoryPages;
    std::size_t victoryPage = 0;
};

// The blink of the marker over an acting enemy; kept from battle to battle.
struct BattleMarkerBlink {
    std::int32_t timer = 0;  // milliseconds
    std::int32_t level = 28;
};
