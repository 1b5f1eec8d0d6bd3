#include "designer/core/EditCommands.h"

#include <algorithm>
#include <memory>

#include "designer/core/ClipBuffer.h"
#include "designer/core/CurveUndo.h"
#include "designer/core/DesignUndo.h"
#include "designer/core/EditTexts.h"
#include "designer/core/KyrelTexts.h"

namespace kyrel {

int currentTrackIndex(const KyrelApp& app) {
    return std::clamp(app.design.settings.currentTrack, 0, kTrackCount - 1);
}

Curve& currentCurve(KyrelApp& app, CurveKind kind) {
    return app.design.tracks[static_cast<std::size_t>(currentTrackIndex(app))].curve(kind);
}

void pushCurrentUndoSnapshot(KyrelApp& app, CurveKind kind) {
    pushUndoSnapshot(app.undo, currentTrackIndex(app), kind, currentCurve(app, kind));
}

namespace {

// Undo or Redo brought back a whole design (a preset or a mutation): every window redraws.
bool wholeDesignChanged(KyrelApp& app) {
    app.design.markChanged();
    app.ui.documentReplaced();
    return true;
}

}  // namespace

bool commandUndo(KyrelApp& app, CurveKind kind) {
    const int track = currentTrackIndex(app);
    if (undoDesignIfNewest(app.undo, track, kind, app.design)) return wholeDesignChanged(app);
    if (!undoCurve(app.undo, track, kind, currentCurve(app, kind))) {
        app.ui.showMessage(text::kUndoImpossible, text::kCaptionError, MessageButtons::Ok);
        return false;
    }
    // The curve now differs from what may have been saved: keep the document marked unsaved,
    // so that closing still offers to save it.
    app.design.markChanged();
    return true;
}

bool commandRedo(KyrelApp& app, CurveKind kind) {
    const int track = currentTrackIndex(app);
    if (redoDesignIfNearest(app.undo, track, kind, app.design)) return wholeDesignChanged(app);
    if (!redoCurve(app.undo, track, kind, currentCurve(app, kind))) {
        app.ui.showMessage(text::kRedoImpossible, text::kCaptionError, MessageButtons::Ok);
        return false;
    }
    app.design.markChanged();
    return true;
}

void commandSelectAll(KyrelApp& app) {
    app.selectionVisible = 1;
    app.selectionStart.x = 0;
    app.selectionEnd.x = kCurvePoints - 1;
    const auto kind = static_cast<CurveKind>(std::clamp(app.activeKind, 0, kCurveKindCount - 1));
    copySelectionToBuffer(app.clipBuffer, currentCurve(app, kind), 0, kCurvePoints - 1);
}

bool commandCopyTrack(KyrelApp& app, int target) {
    const int source = currentTrackIndex(app);
    if (target < 0 || target >= kTrackCount || target == source) return false;
    pushDesignSnapshot(app.undo, app.design);
    SoundDesign& d = app.design;
    const auto s = static_cast<std::size_t>(source);
    const auto t = static_cast<std::size_t>(target);
    d.tracks[t] = d.tracks[s];
    DesignSettings& settings = d.settings;
    settings.directWaveform[t] = settings.directWaveform[s];
    settings.frequencySpread[t] = settings.frequencySpread[s];
    settings.volumeSpread[t] = settings.volumeSpread[s];
    settings.waveformSpread[t] = settings.waveformSpread[s];
    settings.trackUse[t] = 1;  // a copy is made to be heard
    settings.currentTrack = target;
    d.markChanged();
    return true;
}

std::vector<std::uint8_t> commandCopy(const KyrelApp& app) {
    return encodeClipBlock(app.clipBuffer, app.selectionEnd.x - app.selectionStart.x);
}

bool commandPaste(KyrelApp& app, std::span<const std::uint8_t> block,
                  std::optional<CurveKind> activeWindowKind) {
    auto decoded = decodeClipBlock(block);
    if (!decoded) return false;
    app.clipBuffer = decoded->buffer;
    app.selectionStart.x = decoded->startX;
    app.selectionEnd.x = decoded->endX;
    app.activeKind = static_cast<std::int32_t>(activeWindowKind.value_or(CurveKind::Waveform));
    // Paste itself changes no curve; the press that drops the block marks the document.
    return true;
}

}  // namespace kyrel
