#include "designer/core/CurveUndo.h"

namespace kyrel {

namespace {

void storeSnapshot(UndoHistory& history, int track, CurveKind kind, const Curve& curve) {
    UndoRing& ring = history.ring(track, kind);
    UndoSlot& slot = ring.slots[static_cast<std::size_t>(ring.index)];
    slot.snapshot = curve;
    slot.valid = 1;
    slot.sequence = history.undoSequence;
    ring.index = ring.index + 1 == kUndoSlots ? 0 : ring.index + 1;
    ++history.undoSequence;
}

}  // namespace

void pushUndoSnapshot(UndoHistory& history, int track, CurveKind kind, const Curve& curve) {
    // A new change after undone whole-design steps makes them unreachable: Redo must not bring
    // back a design that would throw this change away.
    for (DesignUndoSlot& slot : history.designRing.slots)
        if (slot.sequence >= history.undoSequence) slot = DesignUndoSlot{};
    storeSnapshot(history, track, kind, curve);
}

bool undoCurve(UndoHistory& history, int track, CurveKind kind, Curve& curve) {
    UndoRing& ring = history.ring(track, kind);
    const int previous = ring.index == 0 ? kUndoSlots - 1 : ring.index - 1;
    const UndoSlot& slot = ring.slots[static_cast<std::size_t>(previous)];
    if (slot.sequence == 0 || slot.sequence >= history.undoSequence) return false;
    storeSnapshot(history, track, kind, curve);
    --history.undoSequence;
    curve = slot.snapshot;
    history.undoSequence = slot.sequence;
    ring.index = previous;
    return true;
}

bool redoCurve(UndoHistory& history, int track, CurveKind kind, Curve& curve) {
    UndoRing& ring = history.ring(track, kind);
    const int next = ring.index + 1 == kUndoSlots ? 0 : ring.index + 1;
    const UndoSlot& slot = ring.slots[static_cast<std::size_t>(next)];
    if (slot.sequence == 0 || slot.sequence <= history.undoSequence) return false;
    curve = slot.snapshot;
    history.undoSequence = slot.sequence;
    ring.index = next;
    return true;
}

}  // namespace kyrel
