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

// Puts `source` into `design`, keeping what the user is looking at.
void restoreDesign(SoundDesign& design, const SoundDesign& source) {
    const std::int32_t track = design.settings.currentTrack;
    const std::int32_t tool = design.settings.tool;
    design = source;
    design.settings.currentTrack = track;
    design.settings.tool = tool;
    design.markChanged();
}

}  // namespace

void pushUndoSnapshot(UndoHistory& history, int track, CurveKind kind, const Curve& curve) {
    // A new change after an undone step makes that step unreachable, as for the rings.
    if (history.step.sequence >= history.undoSequence) history.step = DesignStep{};
    storeSnapshot(history, track, kind, curve);
}

void pushDesignStep(UndoHistory& history, const SoundDesign& before, const SoundDesign& after) {
    history.step.sequence = history.undoSequence++;
    history.step.before = std::make_unique<SoundDesign>(before);
    history.step.after = std::make_unique<SoundDesign>(after);
}

std::int32_t undoableSequence(UndoHistory& history, int track, CurveKind kind) {
    const UndoRing& ring = history.ring(track, kind);
    const UndoSlot& slot =
        ring.slots[static_cast<std::size_t>(ring.index == 0 ? kUndoSlots - 1 : ring.index - 1)];
    return slot.sequence != 0 && slot.sequence < history.undoSequence ? slot.sequence : 0;
}

std::int32_t redoableSequence(UndoHistory& history, int track, CurveKind kind) {
    const UndoRing& ring = history.ring(track, kind);
    const UndoSlot& slot =
        ring.slots[static_cast<std::size_t>(ring.index + 1 == kUndoSlots ? 0 : ring.index + 1)];
    return slot.sequence != 0 && slot.sequence > history.undoSequence ? slot.sequence : 0;
}

bool undoDesignStep(UndoHistory& history, std::int32_t ringSequence, SoundDesign& design) {
    DesignStep& step = history.step;
    if (step.sequence == 0 || step.sequence >= history.undoSequence || step.sequence < ringSequence)
        return false;
    restoreDesign(design, *step.before);
    history.undoSequence = step.sequence;
    return true;
}

bool redoDesignStep(UndoHistory& history, std::int32_t ringSequence, SoundDesign& design) {
    DesignStep& step = history.step;
    if (step.sequence == 0 || step.sequence < history.undoSequence ||
        (ringSequence != 0 && ringSequence <= step.sequence))  // the older change first
        return false;
    restoreDesign(design, *step.after);
    history.undoSequence = step.sequence + 1;
    return true;
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
