#pragma once
#include "designer/core/SoundDesign.h"
#include "designer/core/UndoRings.h"

namespace kyrel {

// Undo of changes that replace the whole design at once (presets, mutations). Such a change is
// one step in the program-wide order of changes, whatever number of curves and settings it
// touched; Undo and Redo in any edit window take it when it is the nearest step.

// Copies the tracks and the sound's settings; the view's words (current track, tool) and the
// flags (modified, renderStale) of `to` stay.
void copyDesignContent(const SoundDesign& from, SoundDesign& to);

// Stores `design` as it is before a whole-design change and advances the sequence counter.
void pushDesignSnapshot(UndoHistory& history, const SoundDesign& design);

// When the newest step before the counter is a whole-design change (newer than curve `kind` of
// `track` has to offer), brings the design back to before it and returns true.
bool undoDesignIfNewest(UndoHistory& history, int track, CurveKind kind, SoundDesign& design);

// When the nearest step after the counter is a whole-design change, brings it back and returns
// true.
bool redoDesignIfNearest(UndoHistory& history, int track, CurveKind kind, SoundDesign& design);

}  // namespace kyrel
