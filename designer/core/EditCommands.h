#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "designer/core/KyrelApp.h"

namespace kyrel {

// The curve-level commands of the editing menu: undo, redo, select all, copy and paste. They
// act on curve `kind` of the current track; redrawing is left to the caller.

// The current track as an index that is always inside the document.
int currentTrackIndex(const KyrelApp& app);
Curve& currentCurve(KyrelApp& app, CurveKind kind);

// pushUndoSnapshot for curve `kind` of the current track.
void pushCurrentUndoSnapshot(KyrelApp& app, CurveKind kind);

// Undo and Redo: true when the curve changed (the caller rebuilds the view of `kind`); false
// after the refusal message. A changed curve is an unsaved change and needs a new render.
bool commandUndo(KyrelApp& app, CurveKind kind);
bool commandRedo(KyrelApp& app, CurveKind kind);

// Copies the current track onto track `target` (0 ... 5, not the current one): its four curves,
// volume, direct-waveform switch and spreads; the target is put to use and becomes current.
// One step for Undo and Redo. False, with nothing changed, for an unfit target.
bool commandCopyTrack(KyrelApp& app, int target);

// Selects every point of curve activeKind of the current track and copies it to the buffer.
void commandSelectAll(KyrelApp& app);

// The clipboard block of the present buffer and selection (Copy is offered only while a
// selection is visible).
std::vector<std::uint8_t> commandCopy(const KyrelApp& app);

// Loads a clipboard block into the buffer and the selection and makes `activeWindowKind` (the
// Waveform kind when no edit window is active) the active kind. False, with nothing changed,
// when the bytes are no block. The caller then starts the paste placement in that window.
bool commandPaste(KyrelApp& app, std::span<const std::uint8_t> block,
                  std::optional<CurveKind> activeWindowKind);

}  // namespace kyrel
