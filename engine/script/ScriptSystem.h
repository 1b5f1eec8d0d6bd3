#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/script/AnimActor.h"
#include "engine/script/Operands.h"
#include "engine/script/QDCR.h"

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
};
