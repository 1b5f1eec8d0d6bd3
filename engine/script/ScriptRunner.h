#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class QDCR;
struct Engine;
struct ScriptRun;
enum class Flow;
enum class ScriptClass : std::uint8_t;
using Instruction = Flow (*)(ScriptRun& run);

// Who runs a script decides which instruction classes it may use.
enum class ScriptOwner {
    Global,     // c, f
    Event,      // c, e, f
    Animation,  // a, c
    Battle,     // c, f, w
};

// The battle's own instruction class `w`, supplied by the battle when it runs a skill script.
using BattleInstruction = void (*)(Engine& engine, QDCR& context, std::int8_t opcode);

// The work all scripts together may do in one frame, nested runs included, in units of one
// executed script byte: bytes executed, operands read and labels searched cost one unit each,
// file loads, page-wide drawing, new actors and sounds what ChargeScriptWork weighs them at. A
// loop without a yield would otherwise hang the whole game. When it runs out, the scripts inside
// a runner are stopped (a yield still passes) and the others wait for the next frame; the next
// frame has the whole budget again.
inline constexpr long kScriptWorkBudget = 3'000'000;

// The runners: each executes its context from its position until the script yields ('#') or
// stops (a zero byte or the end).
void RunGlobalScript(Engine& engine);
void RunEventScript(Engine& engine, int actorIndex);
void RunAnimScript(Engine& engine, int animIndex);
void RunBattleScript(Engine& engine, QDCR& context, BattleInstruction w);

// What a jump to a label that does not exist does besides leaving the context where it was.
enum class MissingLabel {
    Stop,    // report it and stop the context, as a zero byte does
    Report,  // report it
    Quiet,   // nothing (it has been reported before)
};

// Moves the context to the label "@name//", searching forward or backward from its position.
bool JumpToLabel(Engine& engine, QDCR& context, bool backward, std::string_view name,
                 MissingLabel missing = MissingLabel::Stop);

// Makes `opcode` of class `cls` run `instruction`; a subsystem registers its instructions at the
// game's set-up. Registering again replaces the instruction.
void RegisterInstruction(Engine& engine, ScriptClass cls, std::int8_t opcode,
                         Instruction instruction);
template <typename Op>
void RegisterInstruction(Engine& engine, ScriptClass cls, Op opcode, Instruction instruction) {
    RegisterInstruction(engine, cls, static_cast<std::int8_t>(opcode), instruction);
}

// Makes QuitGame empty the global script and the animation players (the field's set-up calls it).
void RegisterScriptShutdown(Engine& engine);

// Stops a context for good (until a jump or a load moves it) and names the fault and the script.
void StopScript(Engine& engine, QDCR& context, std::string_view fault);

// The ModeProc while a script is in control: the global script, then the text box if it holds
// text.
void ScriptMode(Engine& engine);
