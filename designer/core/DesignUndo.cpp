#include "designer/core/DesignUndo.h"

#include <limits>
#include <memory>

namespace kyrel {

namespace {

int previousSlot(int index) {
    return index == 0 ? kUndoSlots - 1 : index - 1;
}
int nextSlot(int index) {
    return index + 1 == kUndoSlots ? 0 : index + 1;
}

// The sequence number the ring's undo would go back to, or 0 when it has none.
template <class Ring>
std::int32_t undoCandidate(const Ring& ring, std::int32_t counter) {
    const std::int32_t sequence =
        ring.slots[static_cast<std::size_t>(previousSlot(ring.index))].sequence;
    return sequence != 0 && sequence < counter ? sequence : 0;
}

// The sequence number the ring's redo would go forward to, or the largest number when none.
template <class Ring>
std::int32_t redoCandidate(const Ring& ring, std::int32_t counter) {
    const std::int32_t sequence =
        ring.slots[static_cast<std::size_t>(nextSlot(ring.index))].sequence;
    return sequence != 0 && sequence > counter ? sequence
                                               : std::numeric_limits<std::int32_t>::max();
}

}  // namespace

void copyDesignContent(const SoundDesign& from, SoundDesign& to) {
    const DesignSettings kept = to.settings;
    to = from;
    to.settings.currentTrack = kept.currentTrack;
    to.settings.tool = kept.tool;
    to.settings.modified = kept.modified;
    to.settings.renderStale = kept.renderStale;
}

void pushDesignSnapshot(UndoHistory& history, const SoundDesign& design) {
    DesignUndoRing& ring = history.designRing;
    DesignUndoSlot& slot = ring.slots[static_cast<std::size_t>(ring.index)];
    slot.snapshot = std::make_shared<const SoundDesign>(design);
    slot.sequence = history.undoSequence;
    ring.index = nextSlot(ring.index);
    ++history.undoSequence;
}

bool undoDesignIfNewest(UndoHistory& history, int track, CurveKind kind, SoundDesign& design) {
    DesignUndoRing& ring = history.designRing;
    const std::int32_t sequence = undoCandidate(ring, history.undoSequence);
    if (sequence == 0 || sequence < undoCandidate(history.ring(track, kind), history.undoSequence))
        return false;
    const int previous = previousSlot(ring.index);
    const auto snapshot = ring.slots[static_cast<std::size_t>(previous)].snapshot;
    // The present design is kept for Redo, as a curve's undo keeps the present curve.
    pushDesignSnapshot(history, design);
    copyDesignContent(*snapshot, design);
    history.undoSequence = sequence;
    ring.index = previous;
    return true;
}

bool redoDesignIfNearest(UndoHistory& history, int track, CurveKind kind, SoundDesign& design) {
    DesignUndoRing& ring = history.designRing;
    const std::int32_t sequence = redoCandidate(ring, history.undoSequence);
    if (sequence == std::numeric_limits<std::int32_t>::max() ||
        sequence > redoCandidate(history.ring(track, kind), history.undoSequence))
        return false;
    const int next = nextSlot(ring.index);
    copyDesignContent(*ring.slots[static_cast<std::size_t>(next)].snapshot, design);
    history.undoSequence = sequence;
    ring.index = next;
    return true;
}

}  // namespace kyrel
