// One whole battle frame while the player aims: background, 49 tinted cells, eleven actors,
// cursor, brackets, message box and damage numbers.
#include <benchmark/benchmark.h>

#include <string>

#include "BattleGame.h"
#include "engine/battle/Battle.h"
#include "engine/battle/BattleState.h"
#include "engine/core/Engine.h"
#include "engine/field/FieldState.h"

namespace {

void BattleFrameWhileAiming(benchmark::State& state) {
    BattleGame g;
    g.WriteStandardFiles();
    // Seven slimes against the party: eleven actors on the field.
    g.h.WriteFile("Schr\\group.qd", "1,1,1,1,1,1,1,1-1,1-2,1-3,1-4,6-0,6-1,6-2,6-3,6-4,6-5,6-6,\n");
    g.LoadGame();
    g.StartBattle(0);
    Engine& engine = g.engine;
    BattleState& b = *engine.Battle;
    b.pending[0] = 4;  // a three-cell sweep: wide brackets
    b.activeSlot = 0;
    BeginAiming(engine);
    for (int t : {4, 5, 6}) {
        b.targeted[t] = 1;
        b.effect[t] = -123;
    }
    for (auto _ : state) {
        b.numbersTimer = 40;
        DrawBattle(engine);
        Aiming(engine);
        NumbersStep(engine);
        benchmark::DoNotOptimize(engine.Screen.At(120, 300));
    }
}
BENCHMARK(BattleFrameWhileAiming)->Unit(benchmark::kMicrosecond);

// The same battle while the player chooses among sixteen items: the menu of two columns, its
// caption and the chosen item's description.
void BattleFrameWhileChoosingAnItem(benchmark::State& state) {
    BattleGame g;
    g.WriteStandardFiles();
    g.h.WriteFile("Schr\\group.qd", "1,1,1,1,1,1,1,1-1,1-2,1-3,1-4,6-0,6-1,6-2,6-3,6-4,6-5,6-6,\n");
    g.LoadGame();
    Engine& engine = g.engine;
    std::string items;
    for (int id = 1; id <= 20; ++id) {
        items += std::to_string(id) + ",Potion " + std::to_string(id) + ",10,heal,30,Heals one\n";
        engine.Items.held.counts[static_cast<std::size_t>(id)] = 99;
    }
    if (!engine.Items.table.Parse(items).empty()) state.SkipWithError("item table refused");
    g.StartBattle(0);
    BattleState& b = *engine.Battle;
    b.activeSlot = 0;
    ChooseItem(engine);
    engine.InputTimer = 0;  // the menu is drawn, no key is read
    b.messageTimer = 0;     // the description is drawn
    for (auto _ : state) {
        DrawBattle(engine);
        ItemMenu(engine);
        benchmark::DoNotOptimize(engine.Screen.At(120, 300));
    }
}
BENCHMARK(BattleFrameWhileChoosingAnItem)->Unit(benchmark::kMicrosecond);

}  // namespace
