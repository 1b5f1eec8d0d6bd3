#pragma once
// The runners' shared machinery, for the instruction classes' own files.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/script/ScriptRunner.h"

struct AnimActor;
struct EventObject;

// What the runner does after an instruction.
enum class Flow {
    Next,   // go on with the next byte
    Yield,  // end this run (the instruction moved the position where it wants to resume)
    Gone,   // the executing context no longer exists: leave without touching it
};

// One run of one context.
struct ScriptRun {
    Engine& engine;
    QDCR& context;
    ScriptOwner owner;
    int index = -1;  // the actor of an event script, the player of an animation script
    BattleInstruction battle = nullptr;
    std::size_t classPos = 0;  // where the executing instruction's class byte stands
};

// Reports a refused instruction: names the fault and the script; the script goes on.
void ReportFault(ScriptRun& run, std::string_view fault);

// Variable `i` of the executing context, or nothing (reported) when 0..7 does not hold it.
std::int32_t* Variable(ScriptRun& run, std::int32_t i);
// The instruction arguments P0..P3 (variables 0 to 3).
std::int32_t Arg(const ScriptRun& run, int i);
// The string register S.
std::string_view StringArg(const ScriptRun& run);

// True when 0 <= value < count; otherwise reports "<what> <value> does not exist".
bool CheckIndex(ScriptRun& run, std::int64_t value, std::int64_t count, std::string_view what);

// The name a context was last loaded from, for messages.
std::string_view ScriptName(const QDCR& context);

// Arithmetic that wraps at 32 bits as the game's integers always have, never overflowing in C++.
std::int32_t WrapAdd(std::int32_t a, std::int32_t b);
std::int32_t WrapMul(std::int32_t a, std::int32_t b);
// Division truncating toward zero; nothing when b is 0 (the caller reports it).
std::optional<std::int32_t> SafeDiv(std::int32_t a, std::int32_t b);

// Operator 0 set, 1 add, 2 multiply, 3 divide applied to `target` with `value`, as the actor and
// cell properties use them. Division by zero is reported and changes nothing. Returns false for
// another operator.
bool ApplyPropertyOperator(ScriptRun& run, std::int32_t& target, std::int32_t op,
                           std::int32_t value);

// Repeats the executing instruction in the next frame (`#f8;`, `#f18;`).
Flow RepeatNextFrame(ScriptRun& run);

// The instruction classes.
Flow ExecuteCore(ScriptRun& run, std::int8_t opcode);
Flow ExecuteEvent(ScriptRun& run, std::int8_t opcode);
Flow ExecuteField(ScriptRun& run, std::int8_t opcode);
Flow ExecuteAnim(ScriptRun& run, std::int8_t opcode);

// The instruction registered for `opcode` of class `cls`, or nullptr.
Instruction FindInstruction(const Engine& engine, ScriptClass cls, std::int8_t opcode);
// Runs the registered instruction; an opcode nobody registered does nothing.
Flow RunRegistered(ScriptRun& run, ScriptClass cls, std::int8_t opcode);

// The event object of an event run, the animation actor of an animation run.
EventObject& RunningEvent(ScriptRun& run);
AnimActor& RunningAnim(ScriptRun& run);

// Runs every active event object from index 0 (`c` -2); stops early when a script replaced the
// actors.
void RunAllEvents(Engine& engine);
