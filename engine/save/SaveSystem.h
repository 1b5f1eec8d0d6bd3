#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "engine/field/QCBOX.h"
#include "engine/save/GameIdentity.h"
#include "engine/save/SaveData.h"
#include "engine/save/SaveStore.h"

struct Engine;

// What a slot holds, as the title and the save menu show it.
struct SlotView {
    enum class State { Empty, Saved, Damaged } state = State::Empty;
    save::Summary summary;
};

// The save menu that `f` 25 opens: the four slots, then, for a slot that holds a save, the
// question whether to overwrite it.
struct SaveMenuState {
    enum class Step { Closed, Slots, Overwrite } step = Step::Closed;
    QCBOX slotList;
    QCBOX question;
    bool armed = false;  // Shift and Ctrl count once both were up since the box appeared
    void (*returnMode)(Engine&) = nullptr;  // the ModeProc the menu hands back to
    std::int32_t requester = save::kGlobalScript;
};

// The engine-wide saved-game state: where the slots live, what they hold, the save menu and the
// answer that waits for the script which asked.
struct SaveSystem {
    // The identity is read once, when the engine is made for the game in `gameDir`.
    explicit SaveSystem(const std::filesystem::path& gameDir)
        : gameIdentity(save::GameIdentity(gameDir)) {}

    // What this game's saves record, and what a save must record to be loaded ("" when the game
    // has none: then no save can be checked, and none is refused for it).
    std::string gameIdentity;
    std::unique_ptr<save::SaveStore> store = std::make_unique<save::MemorySaveStore>();
    std::array<SlotView, save::kSlotCount> views;  // what each slot holds, as the boxes show it
    int lastSlot = -1;                             // saved to or loaded from in this run
    SaveMenuState menu;
    // The answer for the script that asked (P2: 0 cancelled, 1 saved, 2 resumed).
    struct Answer {
        std::int32_t requester = save::kGlobalScript;
        std::int32_t value = 0;
    };
    std::optional<Answer> answer;
    // The ModeProc a game loaded from the title goes on with, and the frames of its fade-in.
    void (*resumeMode)(Engine&) = nullptr;
    std::int32_t fadeInFrame = 0;
};
