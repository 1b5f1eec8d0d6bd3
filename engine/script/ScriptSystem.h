#pragma once
#include <array>
#include <vector>

#include "engine/script/AnimActor.h"
#include "engine/script/Operands.h"
#include "engine/script/QDCR.h"

// The engine-wide script objects: the global script that drives the story, the twelve animation
// players and the operand buffer all runners share.
struct ScriptSystem {
    QDCR GlobalScript;
    std::array<AnimActor, kAnimActorCount> AnimActors;
    OperandBuffer operands{};
    // Contexts inside a runner right now: a context is never run again from within its own run.
    std::vector<const QDCR*> running;
};
