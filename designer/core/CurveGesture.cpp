#include "designer/core/CurveGesture.h"

#include <algorithm>
#include <utility>

#include "designer/core/ClipBuffer.h"
#include "designer/core/CurveEdit.h"
#include "designer/core/EditCommands.h"

namespace kyrel {

void GestureUpdate::touchColumns(int a, int b) {
    if (a > b) std::swap(a, b);
    if (firstColumn > lastColumn) {
        firstColumn = a;
        lastColumn = b;
    } else {
        firstColumn = std::min(firstColumn, a);
        lastColumn = std::max(lastColumn, b);
    }
}

int selectionBandColumn(const PlotScale& scale, std::int32_t sample) {
    return sample >= kCurvePoints - 1 ? scale.width() : scale.sampleToColumn(sample);
}

namespace {

// Marks for redrawing the columns that show a sample in s0 ... s1, and one column either side,
// whose line to them changed as well.
void touchSamples(GestureUpdate& update, const PlotScale& scale, int s0, int s1) {
    if (s0 > s1) std::swap(s0, s1);
    s0 = std::clamp(s0, 0, kCurvePoints - 1);
    s1 = std::clamp(s1, 0, kCurvePoints - 1);
    const int last = scale.width() - 1;
    int x0 = std::clamp(scale.sampleToColumn(s0), 0, last);
    while (x0 > 0 && scale.columnToSample(x0 - 1) >= s0) --x0;
    while (x0 < last && scale.columnToSample(x0) < s0) ++x0;
    int x1 = std::clamp(scale.sampleToColumn(s1), 0, last);
    while (x1 < last && scale.columnToSample(x1 + 1) <= s1) ++x1;
    while (x1 > 0 && scale.columnToSample(x1) > s1) --x1;
    update.touchColumns(std::min(x0, x1) - 1, std::max(x0, x1) + 1);
}

void touchColumn(GestureUpdate& update, const PlotScale& scale, int x) {
    const auto span = scale.samplesUnderColumn(x);
    if (span.first < span.end) touchSamples(update, scale, span.first, span.end - 1);
}

void touchLine(GestureUpdate& update, const PlotScale& scale, PlotPoint a, PlotPoint b) {
    touchSamples(update, scale, scale.columnToSample(a.x), scale.columnToSample(b.x));
}

}  // namespace

PlotPoint CurveGesture::toPlot(const PlotScale& scale, int x, int y) const {
    // A line and a selection may reach the column right of the plot, so that they take in the
    // last points.
    return scale.clampPoint(x, y, mode_ == DragMode::Line || mode_ == DragMode::Select);
}

std::int32_t CurveGesture::selectionSample(const PlotScale& scale, int x) {
    return std::min(scale.columnToSample(x), kCurvePoints - 1);
}

Curve& CurveGesture::curve() {
    return currentCurve(app_, kind_);
}

GestureUpdate CurveGesture::press(const PlotScale& scale, int x, int y, bool ctrl) {
    if (mode_ == DragMode::PlacePaste) {
        // A click anywhere outside the plot (the mouse is held, so also on the toolbar or the
        // menu bar) gives the placement up instead of dropping the block somewhere unseen.
        if (x < 0 || y < 0 || x >= scale.width() || y >= scale.height()) {
            bool handled = false;
            return escape(handled);
        }
        app_.design.markChanged();
        return dropPaste(scale, toPlot(scale, x, y));
    }
    app_.design.markChanged();
    PlotPoint p = toPlot(scale, x, y);

    GestureUpdate update;
    const auto tool = static_cast<Tool>(app_.design.settings.tool);
    mode_ = DragMode::Freehand;
    app_.selectionVisible = 0;
    bandShown_ = false;
    if (ctrl) {
        // Ctrl turns the freehand tool into a line; with the other tools it draws freehand.
        if (tool == Tool::Freehand) {
            mode_ = DragMode::Line;
            anchor_ = p;
        }
    } else if (tool == Tool::Line) {
        mode_ = DragMode::Line;
        anchor_ = toPlot(scale, x, y);  // may reach the column right of the plot
    } else if (tool == Tool::Select) {
        mode_ = DragMode::Select;
        p = toPlot(scale, x, y);  // may start right of the plot
        anchor_ = p;
        app_.activeKind = static_cast<std::int32_t>(kind_);
        app_.selectionStart = {selectionSample(scale, p.x), p.y};
    }
    capturing_ = true;
    update.grabMouse = true;
    if (tool != Tool::Select) pushCurrentUndoSnapshot(app_, kind_);

    Track& track = app_.design.tracks[static_cast<std::size_t>(currentTrackIndex(app_))];
    if (track.touched == 0)
        app_.design.settings.trackUse[static_cast<std::size_t>(currentTrackIndex(app_))] = 1;
    track.touched = 1;
    track.edited = 1;

    if (mode_ == DragMode::Select) {
        bandShown_ = true;
        bandPoint_ = p;
    }
    lastPoint_ = p;
    if (mode_ == DragMode::Freehand) {
        setColumn(curve(), scale, p);
        touchColumn(update, scale, p.x);
    }
    return update;
}

GestureUpdate CurveGesture::dropPaste(const PlotScale& scale, PlotPoint p) {
    GestureUpdate update;
    const int d = p.x - anchor_.x;
    pushCurrentUndoSnapshot(app_, kind_);
    int s = scale.sampleToColumn(app_.selectionStart.x) + d;
    int e = scale.sampleToColumn(app_.selectionEnd.x) + d;
    const int w = scale.width();
    if (s < 0) {
        e -= s;
        s = 0;
    }
    if (e >= w) {
        s = w - 1 - (e - s);
        e = w - 1;
    }
    s = std::clamp(s, 0, w - 1);
    e = std::clamp(e, 0, w - 1);
    app_.selectionStart.x = scale.columnToSample(s);
    app_.selectionEnd.x = scale.columnToSample(e);
    app_.selectionVisible = 0;
    if (app_.selectionStart.x >= app_.selectionEnd.x)
        std::swap(app_.selectionStart, app_.selectionEnd);
    writeBufferToCurve(app_.clipBuffer, curve(), app_.selectionStart.x, app_.selectionEnd.x);
    update.rebuild = true;
    mode_ = DragMode::Freehand;
    update.releaseMouse = true;
    capturing_ = false;
    bandShown_ = false;
    return update;
}

GestureUpdate CurveGesture::move(const PlotScale& scale, int x, int y, bool leftHeld) {
    GestureUpdate update;
    if (!capturing_) return update;
    const PlotPoint p = toPlot(scale, x, y);
    if (mode_ == DragMode::PlacePaste) {
        bandShown_ = true;
        bandPoint_ = p;
        return update;
    }
    if (!leftHeld) return update;
    switch (mode_) {
        case DragMode::Freehand:
            // The stroke is written as straight lines between successive mouse positions.
            rasterizeLine(curve(), scale, p, lastPoint_);
            touchLine(update, scale, p, lastPoint_);
            lastPoint_ = p;
            break;
        case DragMode::Line:
            lastPoint_ = p;  // the curve changes only on release
            break;
        case DragMode::Select:
            bandShown_ = true;
            bandPoint_ = p;
            break;
        case DragMode::PlacePaste:
            break;
    }
    return update;
}

GestureUpdate CurveGesture::release(const PlotScale& scale, int x, int y) {
    GestureUpdate update;
    if (!capturing_) return update;
    update.releaseMouse = true;
    capturing_ = false;
    const PlotPoint p = toPlot(scale, x, y);
    if (mode_ == DragMode::Select) {
        app_.selectionEnd = {selectionSample(scale, p.x), p.y};
        app_.selectionVisible = 1;
        if (app_.selectionStart.x >= app_.selectionEnd.x)
            std::swap(app_.selectionStart, app_.selectionEnd);
        copySelectionToBuffer(app_.clipBuffer, curve(), app_.selectionStart.x, app_.selectionEnd.x);
    }
    lastPoint_ = p;
    if (mode_ == DragMode::Freehand) {
        setColumn(curve(), scale, p);
        touchColumn(update, scale, p.x);
    } else if (mode_ == DragMode::Line) {
        rasterizeLine(curve(), scale, p, anchor_);
        touchLine(update, scale, p, anchor_);
    }
    mode_ = DragMode::Freehand;
    bandShown_ = false;
    return update;
}

GestureUpdate CurveGesture::escape(bool& handled) {
    GestureUpdate update;
    handled = capturing_;
    if (!capturing_) return update;
    update.releaseMouse = true;
    update.rebuild = true;
    abandon();
    return update;
}

GestureUpdate CurveGesture::startPaste(const PlotScale& scale, int x, int y) {
    GestureUpdate update;
    anchor_.x = scale.sampleToColumn(app_.selectionStart.x);
    mode_ = DragMode::PlacePaste;
    capturing_ = true;
    bandShown_ = true;
    bandPoint_ = toPlot(scale, x, y);
    update.grabMouse = true;
    update.rebuild = true;
    return update;
}

void CurveGesture::abandon() {
    capturing_ = false;
    mode_ = DragMode::Freehand;
    bandShown_ = false;
}

GestureBand CurveGesture::band(const PlotScale& scale) const {
    GestureBand band;
    if (capturing_ && mode_ == DragMode::Line) {
        band.kind = GestureBand::Kind::RubberLine;
        band.from = anchor_;
        band.to = lastPoint_;
    } else if (capturing_ && mode_ == DragMode::Select && bandShown_) {
        band.kind = GestureBand::Kind::Selection;
        band.from = {std::min(bandPoint_.x, anchor_.x), 0};
        band.to = {std::max(bandPoint_.x, anchor_.x), scale.height() - 1};
    } else if (capturing_ && mode_ == DragMode::PlacePaste && bandShown_) {
        // The block keeps its width and is pushed back inside the plot at either edge.
        const int d = bandPoint_.x - anchor_.x;
        int left = scale.sampleToColumn(app_.selectionStart.x) + d;
        int right = scale.sampleToColumn(app_.selectionEnd.x) + d;
        if (left < 0) {
            right += -left;
            left = 0;
        }
        if (right >= scale.width()) {
            left = scale.width() - 1 - (right - left);
            right = scale.width() - 1;
        }
        band.kind = GestureBand::Kind::Paste;
        band.from = {left, 0};
        band.to = {right, scale.height() - 1};
    } else if (!capturing_ && app_.selectionVisible == 1 &&
               app_.activeKind == static_cast<std::int32_t>(kind_)) {
        band.kind = GestureBand::Kind::Selection;
        band.from = {scale.sampleToColumn(app_.selectionStart.x), 0};
        band.to = {selectionBandColumn(scale, app_.selectionEnd.x), scale.height() - 1};
    }
    return band;
}

}  // namespace kyrel
