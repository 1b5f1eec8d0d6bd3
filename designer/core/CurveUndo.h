#pragma once
#include "designer/core/SoundDesign.h"
#include "designer/core/UndoRings.h"

namespace kyrel {

// Stores the present state of a curve in the next slot of its ring and advances the one
// program-wide sequence counter. Called before every change of the curve.
void pushUndoSnapshot(UndoHistory& history, int track, CurveKind kind, const Curve& curve);

// Brings back the snapshot before the present state of the curve, first saving the present
// state so that redo can return to it. Refused (false, nothing changed) when the ring holds no
// snapshot older than the counter: Undo follows the order of all changes in the program.
bool undoCurve(UndoHistory& history, int track, CurveKind kind, Curve& curve);

// Brings back the snapshot after the present state; refused (false) when the ring holds no
// snapshot newer than the counter. Pushes nothing.
bool redoCurve(UndoHistory& history, int track, CurveKind kind, Curve& curve);

}  // namespace kyrel
