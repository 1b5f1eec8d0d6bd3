// Game variables and switches, the field's music and the next battle's rules. Arguments are P0..P3
// and S as for every `f` instruction; a refused instruction reports its fault and changes nothing.
#include "engine/game/GameInstructions.h"

#include <string>

#include "engine/core/Engine.h"
#include "engine/core/Sound.h"
#include "engine/game/GameEvents.h"
#include "engine/script/Opcodes.h"

namespace {

bool CheckOperation(ScriptRun& run, std::int32_t op, std::int32_t count, const char* instruction) {
    return CheckIndex(run, op, count, std::string("operation of ") + instruction);
}

}  // namespace

Flow GameVariableInstruction(ScriptRun& run) {
    const std::int32_t index = Arg(run, 0), op = Arg(run, 1), value = Arg(run, 2);
    if (!CheckIndex(run, index, GameState::kVariableCount, "game variable") ||
        !CheckOperation(run, op, 3, "f26"))
        return Flow::Next;
    std::int32_t& variable = run.engine.Game.variables[static_cast<std::size_t>(index)];
    if (op == 0) {
        run.context.variables[2] = variable;
        return Flow::Next;
    }
    variable = op == 1 ? value : WrapAdd(variable, value);
    NoteGameEvent(run.engine, "var " + std::to_string(index) + " " + std::to_string(variable));
    return Flow::Next;
}

Flow GameSwitchInstruction(ScriptRun& run) {
    const std::int32_t index = Arg(run, 0), op = Arg(run, 1);
    if (!CheckIndex(run, index, GameState::kSwitchCount, "game switch") ||
        !CheckOperation(run, op, 4, "f27"))
        return Flow::Next;
    auto& switches = run.engine.Game.switches;
    const auto i = static_cast<std::size_t>(index);
    if (op == 0) {
        run.context.variables[2] = switches[i] ? 1 : 0;
        return Flow::Next;
    }
    switches[i] = op == 1 ? true : op == 2 ? false : !switches[i];
    NoteGameEvent(run.engine, "switch " + std::to_string(index) + (switches[i] ? " on" : " off"));
    return Flow::Next;
}

Flow FieldMusicInstruction(ScriptRun& run) {
    const std::string_view name = StringArg(run);
    static constexpr std::size_t kNameMax = MusicState::kNameCapacity - 8;  // "BGM\\" and ".mid"
    if (name.size() > kNameMax) {
        ReportFault(run, "the music name is longer than " + std::to_string(kNameMax) + " bytes");
        return Flow::Next;
    }
    GameState& game = run.engine.Game;
    game.fieldMusic = std::string(name);
    game.fieldMusicChosen = true;
    // In a battle the choice waits for the field; the battle keeps its own music.
    if (!run.engine.Battle) PlayFieldMusic(run.engine);
    return Flow::Next;
}

Flow BattleRulesInstruction(ScriptRun& run) {
    const std::int32_t rules = Arg(run, 0);
    if (rules < 0 || rules > kBattleRuleMask) {
        ReportFault(run, "battle rules " + std::to_string(rules) + " do not exist (0 to 3)");
        return Flow::Next;
    }
    run.engine.Game.nextBattleRules = rules;
    return Flow::Next;
}

void NoteBattleStarter(ScriptRun& run) {
    GameState& game = run.engine.Game;
    game.battleStarter = GameState::kNoScript;
    if (run.owner == ScriptOwner::Global) {
        game.battleStarter = GameState::kGlobalScript;
    } else if (run.owner == ScriptOwner::Event) {
        game.battleStarter = run.index;
        game.battleStarterGeneration = run.engine.Field.actorGeneration;
    }
}

void RegisterGameInstructions(Engine& engine) {
    RegisterInstruction(engine, ScriptClass::Field, FieldOp::GameVariable, GameVariableInstruction);
    RegisterInstruction(engine, ScriptClass::Field, FieldOp::GameSwitch, GameSwitchInstruction);
    RegisterInstruction(engine, ScriptClass::Field, FieldOp::Choice, ChoiceInstruction);
    RegisterInstruction(engine, ScriptClass::Field, FieldOp::FieldMusic, FieldMusicInstruction);
    RegisterInstruction(engine, ScriptClass::Field, FieldOp::NextBattleRules,
                        BattleRulesInstruction);
}
