#pragma once
#include <cstdint>

#include "designer/core/KyrelApp.h"
#include "designer/core/PlotScale.h"

namespace kyrel {

// The gesture in progress in a curve view; Freehand is also the idle value.
enum class DragMode : std::int32_t { Freehand = 0, Line = 1, Select = 2, PlacePaste = 3 };

// What a view has to do after an event handled by CurveGesture.
struct GestureUpdate {
    bool grabMouse = false;
    bool releaseMouse = false;
    bool rebuild = false;  // redraw the whole plot from the curve
    // Columns whose drawing changed (redraw them from the curve), when firstColumn <= lastColumn.
    int firstColumn = 0;
    int lastColumn = -1;

    void touchColumns(int a, int b);
};

// The band a view draws over its plot (in exclusive-or), in plot coordinates.
struct GestureBand {
    enum class Kind { None, RubberLine, Selection, Paste };
    Kind kind = Kind::None;
    PlotPoint from;  // RubberLine: the two ends; Selection, Paste: the left and right column
    PlotPoint to;
};

// The column at which the band of a selection ending at `sample` ends: the plot's right edge
// for the last point, so that a whole-curve selection bands the whole plot.
int selectionBandColumn(const PlotScale& scale, std::int32_t sample);

// The press, move, release and Escape handling of one curve view, and the paste placement.
// It writes the curve of kind `kind` of the current track, the track flags, the undo rings,
// the selection and the buffer of the application; the view turns its results into drawing.
// Points are relative to the plot's top-left corner and not yet clamped.
class CurveGesture {
  public:
    CurveGesture(KyrelApp& app, CurveKind kind) : app_(app), kind_(kind) {}

    CurveKind kind() const { return kind_; }
    DragMode mode() const { return mode_; }
    bool capturing() const { return capturing_; }
    PlotPoint anchor() const { return anchor_; }
    PlotPoint lastPoint() const { return lastPoint_; }

    GestureUpdate press(const PlotScale& scale, int x, int y, bool ctrl);
    GestureUpdate move(const PlotScale& scale, int x, int y, bool leftHeld);
    GestureUpdate release(const PlotScale& scale, int x, int y);
    // Escape while capturing cancels the gesture; `handled` is false otherwise.
    GestureUpdate escape(bool& handled);

    // After Paste loaded the buffer and the selection: the block shows at once under the
    // pointer (x, y), follows it, and a press in the plot drops it; a press outside the plot
    // cancels the placement without writing.
    GestureUpdate startPaste(const PlotScale& scale, int x, int y);

    // The band to draw now: the rubber line or band of the gesture in progress, or the finished
    // selection when it is visible and belongs to this view's kind.
    GestureBand band(const PlotScale& scale) const;

    // Forgets a gesture in progress without touching anything else (the window lost the mouse
    // or is being closed).
    void abandon();

  private:
    PlotPoint toPlot(const PlotScale& scale, int x, int y) const;
    // The sample a selection reaches at plot column x: beyond the right edge the last point.
    static std::int32_t selectionSample(const PlotScale& scale, int x);
    Curve& curve();
    GestureUpdate dropPaste(const PlotScale& scale, PlotPoint p);

    KyrelApp& app_;
    CurveKind kind_;
    DragMode mode_ = DragMode::Freehand;
    bool capturing_ = false;
    PlotPoint lastPoint_;
    PlotPoint anchor_;
    // Where the band of a selection drag or a paste placement is, once the pointer moved.
    bool bandShown_ = false;
    PlotPoint bandPoint_;
};

}  // namespace kyrel
