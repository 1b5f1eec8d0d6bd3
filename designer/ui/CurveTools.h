#pragma once
#include <QPoint>
#include <array>
#include <memory>

#include "designer/core/CurveGesture.h"
#include "designer/core/PlotScale.h"
#include "designer/core/WaveGenerator.h"
#include "designer/ui/CurveEditing.h"

namespace kyrel {

class CKyrelApp;

// The editing behaviour of the curve windows: the mouse tools and the paste placement (one
// CurveGesture per curve kind, as there is at most one window per kind), the clipboard under
// Kyrel's own MIME type, Undo and Redo, Select all and the waveform generator. After every
// event the view shows the curve as stored, the grid and the band of the gesture in progress.
class CurveTools : public CurveEditing {
  public:
    explicit CurveTools(CKyrelApp& app);

    void press(CCurveView& view, QPoint client, bool ctrlHeld) override;
    void move(CCurveView& view, QPoint client, bool leftHeld) override;
    void release(CCurveView& view, QPoint client) override;
    void escape(CCurveView& view) override;

    void undo() override;
    void redo() override;
    void copy() override;
    void paste() override;
    void selectAll() override;
    void waveformGenerator() override;
    bool canPaste() const override;

    // The generator's values last confirmed with OK, for the whole run of the program.
    GeneratorMemory& generatorMemory() { return generatorMemory_; }

  private:
    CurveGesture& gestureFor(CCurveView& view);
    void show(CCurveView& view, const CurveGesture& gesture, const GestureUpdate& update);
    // The view of the active edit window, or null when none is active.
    CCurveView* activeView() const;

    CKyrelApp& app_;
    std::array<std::unique_ptr<CurveGesture>, kCurveKindCount> gestures_;
    GeneratorMemory generatorMemory_;
};

// Redraws plot columns first ... last of the view's bitmap from the curve, exactly as a full
// rebuild draws them (background, grid, curve), and leaves every other column alone.
void redrawPlotColumns(CCurveView& view, int first, int last);

}  // namespace kyrel
