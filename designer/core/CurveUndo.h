#pragma once
#include "designer/core/SoundDesign.h"
#include "designer/core/UndoRings.h"

namespace kyrel {

// Stores the present state of a curve in the next slot of its ring and advances the one
// program-wide sequence counter. Called before every change of the curve.
void pushUndoSnapshot(UndoHistory& history, int track, CurveKind kind, const Curve& curve);

// Records a whole-design step, taken after the change: `before` is the design as it was.
void pushDesignStep(UndoHistory& history, const SoundDesign& before, const SoundDesign& after);

// Undo and Redo of the whole-design step when it is the next change to undo (or redo) from a
// window whose curve ring offers `ringSequence` (0: nothing): the design is replaced by the
// step's before (after) state, except for the current track and tool. True when it acted.
bool undoDesignStep(UndoHistory& history, std::int32_t ringSequence, SoundDesign& design);
bool redoDesignStep(UndoHistory& history, std::int32_t ringSequence, SoundDesign& design);

// The sequence of the snapshot Undo (Redo) would bring back on a ring, or 0 when it refuses.
std::int32_t undoableSequence(UndoHistory& history, int track, CurveKind kind);
std::int32_t redoableSequence(UndoHistory& history, int track, CurveKind kind);

// Brings back the snapshot before the present state of the curve, first saving the present
// state so that redo can return to it. Refused (false, nothing changed) when the ring holds no
// snapshot older than the counter: Undo follows the order of all changes in the program.
bool undoCurve(UndoHistory& history, int track, CurveKind kind, Curve& curve);

// Brings back the snapshot after the present state; refused (false) when the ring holds no
// snapshot newer than the counter. Pushes nothing.
bool redoCurve(UndoHistory& history, int track, CurveKind kind, Curve& curve);

}  // namespace kyrel
