// One whole battle frame while the player aims: background, 49 tinted cells, eleven actors,
// cursor, brackets, message box and damage numbers.
#include <benchmark/benchmark.h>

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

}  // namespace
