#pragma once
#include <QPoint>

namespace kyrel {

class CCurveView;

// The editing behaviour behind the curve windows and the editing commands: the mouse tools of
// the views and the Undo, Redo, Copy, Paste, Select all and waveform generator commands. The
// application starts with this do-nothing version; the editor installs its own through
// CKyrelApp::setEditing. Points are client points of the view; the view ignores all input while
// its plot is empty.
class CurveEditing {
  public:
    virtual ~CurveEditing() = default;

    virtual void press(CCurveView& /*view*/, QPoint /*client*/, bool /*ctrlHeld*/) {}
    virtual void move(CCurveView& /*view*/, QPoint /*client*/, bool /*leftHeld*/) {}
    virtual void release(CCurveView& /*view*/, QPoint /*client*/) {}
    // The Escape key while the view holds the mouse for a gesture.
    virtual void escape(CCurveView& /*view*/) {}

    virtual void undo() {}
    virtual void redo() {}
    virtual void copy() {}
    virtual void paste() {}
    virtual void selectAll() {}
    virtual void waveformGenerator() {}
    // Paste is offered only while the clipboard holds a curve block.
    virtual bool canPaste() const { return false; }
};

}  // namespace kyrel
