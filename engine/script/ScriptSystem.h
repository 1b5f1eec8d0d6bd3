#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/script/AnimActor.h"
#include "engine/script/Operands.h"
#include "engine/script/QDCR.h"

enum class Flow;
struct ScriptRun;

// An instruction a subsystem adds to a class: it reads its arguments from the run and tells the
// runner how to go on.
using Instruction = Flow (*)(ScriptRun& run);

// The instruction classes, as keys of the instruction table.
enum class ScriptClass : std::uint8_t { Core, Event, Field, Anim, Battle, Count };

// The instructions the subsystems registered (RegisterInstruction), by class and opcode. A class's
// own instructions come first; the table holds those its file does not know, such as the battle's
// start and the save point of class `f`.
struct InstructionTable {
    static constexpr std::size_t kOpcodes = 256;
    std::array<std::array<Instruction, kOpcodes>, static_cast<std::size_t>(ScriptClass::Count)>
        entries{};
};

// What the runners allow a frame's scripts: a loop without a yield, or a faulty instruction in
// such a loop, must neither hang the game nor bury the player in message boxes.
struct ScriptGuard {
    std::uint64_t frame = UINT64_MAX;  // the frame the budget and the shown faults belong to
    long budget = 0;                   // work units the scripts may still spend this frame
    std::vector<std::pair<const QDCR*, std::string>> shown;  // faults reported this frame
    // Faults of each script in the current outermost runner call.
    std::vector<std::pair<const QDCR*, int>> faults;
    bool stopBoxAllowed = false;  // the box that reports a stop always passes
};

// The engine-wide script objects: the global script that drives the story, the twelve animation
// players and the operand buffer all runners share.
struct ScriptSystem {
    QDCR GlobalScript;
    std::array<AnimActor, kAnimActorCount> AnimActors;
    OperandBuffer operands{};
    // Contexts inside a runner right now, outermost first: a context is never run again from
    // within its own run.
    std::vector<QDCR*> running;
    ScriptGuard guard;
    InstructionTable instructions;
};

// What the work a script asks for costs from the frame's budget, in units of one executed script
// byte. The weights are measured (bench_script) so that the budget is spent in about the same
// time whatever spends it; they are counts, never timings, so a recorded play replays the same on
// any machine. A file load costs at least the bytes it reads, a page-wide drawing at least the
// page's pixels.
inline constexpr long kFileOpenWork = 5'000;  // finding a file's path and opening it
inline constexpr long kFileByteWork = 1;      // each byte of a file read
inline constexpr long kPictureByteWork = 3;   // each byte of a picture file, decoded
inline constexpr long kSoundByteWork = 4;     // each byte of an effect, converted for the device
inline constexpr long kSoundStartWork = 500;  // starting an effect
inline constexpr long kPagePixelWork = 1;     // each pixel of a page-wide drawing or fade
inline constexpr long kActorWork = 450;       // each actor (and its event object) created

// Pays for work a running script asked for from the frame's budget; work done outside a script
// run (the scenes' own drawing and loading) is free. The runner stops the scripts once the budget
// is spent.
inline void ChargeScriptWork(ScriptSystem& scripts, long units) {
    if (!scripts.running.empty()) scripts.guard.budget -= units;
}

// A file load of `bytes` bytes (nothing read: only the attempt), each byte weighing `byteWork`.
inline void ChargeFileLoad(ScriptSystem& scripts, std::size_t bytes,
                           long byteWork = kFileByteWork) {
    ChargeScriptWork(scripts, kFileOpenWork + static_cast<long>(bytes) * byteWork);
}
