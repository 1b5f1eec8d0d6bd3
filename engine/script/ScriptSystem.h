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
    long budget = 0;                   // bytes the scripts may still execute or search this frame
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
