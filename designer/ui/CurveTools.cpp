#include "designer/ui/CurveTools.h"

#include <QByteArray>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMimeData>
#include <algorithm>
#include <span>

#include "designer/core/ClipBuffer.h"
#include "designer/core/EditCommands.h"
#include "designer/ui/CChildFrame.h"
#include "designer/ui/CCurveView.h"
#include "designer/ui/CKyrelApp.h"
#include "designer/ui/CMainFrame.h"
#include "designer/ui/CWaveGenDlg.h"
#include "designer/ui/DialogPrompts.h"

namespace kyrel {

CurveTools::CurveTools(CKyrelApp& app) : app_(app) {}

CurveGesture& CurveTools::gestureFor(CCurveView& view) {
    auto& gesture = gestures_[static_cast<std::size_t>(view.kind())];
    if (!gesture) gesture = std::make_unique<CurveGesture>(app_.state(), view.kind());
    // A view that no longer holds the mouse (a new window of the kind, or one whose capture
    // ended elsewhere) has no gesture in progress.
    if (gesture->capturing() && !view.capturing) gesture->abandon();
    return *gesture;
}

CCurveView* CurveTools::activeView() const {
    CChildFrame* frame = app_.activeCurveWindow();
    return frame ? &frame->view() : nullptr;
}

void CurveTools::show(CCurveView& view, const CurveGesture& gesture, const GestureUpdate& update) {
    if (update.grabMouse) view.captureMouse();
    if (update.releaseMouse) view.releaseCapture();
    view.capturing = gesture.capturing();
    view.mode = gesture.mode();
    view.anchor = QPoint(gesture.anchor().x, gesture.anchor().y);
    view.lastPoint = QPoint(gesture.lastPoint().x, gesture.lastPoint().y);

    if (update.rebuild) {
        view.rebuild();
    } else if (update.firstColumn <= update.lastColumn) {
        redrawPlotColumns(view, update.firstColumn, update.lastColumn);
    }

    const PlotScale scale = view.plot();
    const GestureBand band = gesture.band(scale);
    const QPoint margin(view.marginX(), view.marginY());
    if (!gesture.capturing()) {
        view.refresh();  // the plot, with the finished selection if this view holds it
        return;
    }
    switch (band.kind) {
        case GestureBand::Kind::None:
            view.copyPlotToWindow();
            break;
        case GestureBand::Kind::RubberLine: {
            view.copyPlotToWindow();
            QPoint a(band.from.x, band.from.y);
            QPoint b(band.to.x, band.to.y);
            if (b.x() < a.x()) std::swap(a, b);
            view.xorLineOnWindow(a + margin, b + margin, plotcolour::kRubberBand);
            break;
        }
        case GestureBand::Kind::Selection:
            view.drawBand(band.from.x, band.to.x, plotcolour::kSelectionBand);
            break;
        case GestureBand::Kind::Paste:
            // The same extent as the selection band the block came from.
            view.drawBand(band.from.x, band.to.x, plotcolour::kPasteBand);
            break;
    }
}

void CurveTools::press(CCurveView& view, QPoint client, bool ctrlHeld) {
    if (view.plot().empty()) return;
    const bool hadSelection = app_.state().selectionVisible == 1;
    CurveGesture& gesture = gestureFor(view);
    const GestureUpdate update = gesture.press(view.plot(), client.x() - view.marginX(),
                                               client.y() - view.marginY(), ctrlHeld);
    show(view, gesture, update);
    // The press hid the selection, also where another window showed its band.
    if (hadSelection) {
        for (int k = 0; k < kCurveKindCount; ++k) {
            CCurveView* other = app_.curveView(static_cast<CurveKind>(k));
            if (other && other != &view) other->refresh();
        }
    }
    app_.updateCommandStates();
}

void CurveTools::move(CCurveView& view, QPoint client, bool leftHeld) {
    if (view.plot().empty()) return;
    CurveGesture& gesture = gestureFor(view);
    if (!gesture.capturing()) return;
    const GestureUpdate update = gesture.move(view.plot(), client.x() - view.marginX(),
                                              client.y() - view.marginY(), leftHeld);
    show(view, gesture, update);
}

void CurveTools::release(CCurveView& view, QPoint client) {
    if (view.plot().empty()) return;
    CurveGesture& gesture = gestureFor(view);
    if (!gesture.capturing()) return;
    const GestureUpdate update =
        gesture.release(view.plot(), client.x() - view.marginX(), client.y() - view.marginY());
    show(view, gesture, update);
    app_.updateCommandStates();
}

void CurveTools::escape(CCurveView& view) {
    CurveGesture& gesture = gestureFor(view);
    bool handled = false;
    const GestureUpdate update = gesture.escape(handled);
    if (handled) show(view, gesture, update);
}

void CurveTools::undo() {
    CCurveView* view = activeView();
    if (!view) return;
    // A step of the whole design (a copied track) may have changed every window.
    if (commandUndo(app_.state(), view->kind())) app_.rebuildAll();
    app_.updateCommandStates();
}

void CurveTools::redo() {
    CCurveView* view = activeView();
    if (!view) return;
    if (commandRedo(app_.state(), view->kind())) app_.rebuildAll();
    app_.updateCommandStates();
}

void CurveTools::selectAll() {
    // The whole curve of the window the user is working in.
    if (CCurveView* active = activeView())
        app_.state().activeKind = static_cast<std::int32_t>(active->kind());
    commandSelectAll(app_.state());
    // The band appears in the window of the selection's kind, when that window is open.
    const auto kind = static_cast<CurveKind>(std::clamp(app_.state().activeKind, 0, 3));
    if (CCurveView* view = app_.curveView(kind)) view->refresh();
    app_.updateCommandStates();
}

void CurveTools::copy() {
    if (app_.state().selectionVisible != 1) return;
    const std::vector<std::uint8_t> block = commandCopy(app_.state());
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kClipMimeType),
                  QByteArray(reinterpret_cast<const char*>(block.data()),
                             static_cast<qsizetype>(block.size())));
    clipboard->setMimeData(data);
    app_.updateCommandStates();
}

bool CurveTools::canPaste() const {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasFormat(QString::fromLatin1(kClipMimeType));
}

void CurveTools::paste() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasFormat(QString::fromLatin1(kClipMimeType))) return;
    const QByteArray bytes = data->data(QString::fromLatin1(kClipMimeType));
    CCurveView* view = activeView();
    const std::span<const std::uint8_t> block(
        reinterpret_cast<const std::uint8_t*>(bytes.constData()),
        static_cast<std::size_t>(bytes.size()));
    if (!commandPaste(app_.state(), block,
                      view ? std::optional<CurveKind>(view->kind()) : std::nullopt))
        return;
    // Without an active edit window the block waits in the buffer for the next paste.
    if (!view || view->plot().empty()) return;
    CurveGesture& gesture = gestureFor(*view);
    if (gesture.capturing()) return;  // a gesture in progress keeps the mouse
    view->setFocus();                 // for Esc
    const QPoint pointer = view->mapFromGlobal(QCursor::pos());
    show(*view, gesture,
         gesture.startPaste(view->plot(), pointer.x() - view->marginX(),
                            pointer.y() - view->marginY()));
}

void CurveTools::waveformGenerator() {
    CCurveView* view = activeView();
    if (!view || view->kind() != CurveKind::Waveform) return;
    CWaveGenDlg dialog(app_, generatorMemory_, app_.mainFrame());
    app_.prompts().runDialog(dialog);
}

}  // namespace kyrel
