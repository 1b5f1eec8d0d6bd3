#pragma once
#include <cstdint>

#include "engine/field/QCBOX.h"
#include "engine/title/DebugStart.h"
#include "engine/title/GameCredits.h"

// What the screens between the start of the program and the start of play keep:
// one frame counter shared by all of them, the title's leave counter and the
// title menu.
struct TitleState {
    std::int32_t frame = 0;  // frames of the current screen; start-up sets it to -100
    std::int32_t leave = 0;  // counts the title's fade-out after Shift
    QCBOX menu;              // new game and the four data slots
    GameCredits credits = GameCredits::Builtin();  // the credit screens' lines
    DebugStartPlace debugStart;                    // --start-map and --at
};
