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

// Changes of the whole design at once (a preset, a mutation) are one step each: a ring of
// whole-design snapshots numbered by the same counter as the curve rings.
struct DesignUndoSlot {
    std::shared_ptr<const SoundDesign> snapshot;
    std::int32_t sequence = 0;  // 0 = never filled
};

struct DesignUndoRing {
    std::array<DesignUndoSlot, kUndoSlots> slots{};
    std::int32_t index = 0;
};

struct UndoHistory {
    std::array<std::array<UndoRing, kCurveKindCount>, kTrackCount> rings{};
    DesignUndoRing designRing;
    std::int32_t undoSequence = 1;  // survives New and Open

    UndoRing& ring(int track, CurveKind kind) {
        return rings[static_cast<std::size_t>(track)][static_cast<std::size_t>(kind)];
    }

    // New empties every ring; the sequence counter goes on.
    void clearRings() {
        for (auto& kinds : rings)
            for (UndoRing& r : kinds) r = UndoRing{};
        designRing = DesignUndoRing{};
    }
};

}  // namespace kyrel
