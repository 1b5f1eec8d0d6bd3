#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "designer/core/SoundDesign.h"

namespace kyrel {

// Undo keeps, for each pair of track and curve kind, a ring of four snapshots of that curve,
// ordered across the whole program by one sequence counter.
inline constexpr int kUndoSlots = 4;

struct UndoSlot {
    Curve snapshot{};
    std::int32_t valid = 0;
    std::int32_t sequence = 0;  // 0 = never filled
};

struct UndoRing {
    std::array<UndoSlot, kUndoSlots> slots{};
    std::int32_t index = 0;  // the slot the next snapshot fills
};

// A change of several curves and settings made by one command (a track copied onto another):
// the design before and after it, undone and redone as one step in the order of all changes.
struct DesignStep {
    std::int32_t sequence = 0;  // 0 = none
    std::unique_ptr<SoundDesign> before;
    std::unique_ptr<SoundDesign> after;
};

struct UndoHistory {
    std::array<std::array<UndoRing, kCurveKindCount>, kTrackCount> rings{};
    std::int32_t undoSequence = 1;  // survives New and Open
    DesignStep step;                // the last whole-design step

    UndoRing& ring(int track, CurveKind kind) {
        return rings[static_cast<std::size_t>(track)][static_cast<std::size_t>(kind)];
    }

    // New empties every ring; the sequence counter goes on.
    void clearRings() {
        for (auto& kinds : rings)
            for (UndoRing& r : kinds) r = UndoRing{};
        step = DesignStep{};
    }
};

}  // namespace kyrel
