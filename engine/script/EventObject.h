#pragma once
#include <cstdint>

#include "engine/script/QDCR.h"

// The script of one field actor. It runs only while its active flag is set and its actor stands
// still; conversations save, clear and restore the flags of all of them.
struct EventObject {
    QDCR script;
    std::int32_t index = 0;  // the actor it belongs to
    std::int32_t active = 0;
    std::int32_t savedActive = 0;
    bool speechMissingReported = false;  // talking found no "SPK" label and said so
};
