#pragma once
#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QWidget>
#include <functional>
#include <optional>

#include "designer/core/CurveGesture.h"
#include "designer/core/PlotScale.h"
#include "designer/core/SoundDesign.h"

class QMdiSubWindow;

namespace kyrel {

class CKyrelApp;

// Colours of the plots.
namespace plotcolour {
inline constexpr QRgb kBackground = 0xFF000020u;
inline constexpr QRgb kCurve = 0xFF00FF00u;
inline constexpr QRgb kQuarterLine = 0xFFA0A0A0u;
inline constexpr QRgb kCentreLine = 0xFFE0E0E0u;
inline constexpr QRgb kVerticalLine = 0xFF0040C0u;
inline constexpr QRgb kRubberBand = 0xFF00FFFFu;
inline constexpr QRgb kSelectionBand = 0xFF0000FFu;
inline constexpr QRgb kPasteBand = 0xFFFFFFFFu;
}  // namespace plotcolour

// The plot's guide lines of a curve kind, each handed to `line` as its two ends and its colour:
// the centre and quarter rows from column `fromColumn` to `toColumn`, then the three vertical
// quarter lines, in the order the plot is drawn.
void drawGridLines(CurveKind kind, int w, int h, int fromColumn, int toColumn,
                   const std::function<void(QPoint, QPoint, QRgb)>& line);

// The plot of one curve kind of the current track. Everything is drawn into `bitmap` first; the
// window shows `windowImage`, into which the plot is copied and onto which bands and rubber
// bands are drawn by exclusive-or. So a repaint never recomputes the curve, and a band drawn
// twice disappears as it would on a screen. Mouse and key input go to the application's
// CurveEditing; a plot of no pixels shows nothing and takes no input.
class CCurveView : public QWidget {
    Q_OBJECT
  public:
    CCurveView(CKyrelApp& app, QWidget* parent = nullptr);

    CurveKind kind() const { return kind_; }
    void setKind(CurveKind kind) { kind_ = kind; }
    CKyrelApp& app() { return app_; }

    // The gap between the client edge and the plot on every side.
    static constexpr int kMargin = 16;

    const PlotScale& plot() const { return plot_; }
    int marginX() const { return kMargin; }
    int marginY() const { return kMargin; }
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }

    // The curve this view shows: its kind in the current track.
    Curve& curve();

    // Redraws the whole plot from the document and shows it.
    void rebuild();
    // Shows the plot as last drawn, with the selection band when this view holds the selection.
    void refresh();
    // Shows the plot with a band (the selection's or a paste's colour) from the smaller of two
    // plot columns up to, not including, the larger, and at least one column wide.
    void drawBand(int x1, int x2, QRgb colour);

    // Drawing pieces for the tools. Points are plot points unless said otherwise.
    QImage& bitmap() { return bitmap_; }
    const QImage& windowImage() const { return window_; }
    void drawGrid(int firstColumn, int lastColumn);
    void fillColumns(int firstColumn, int lastColumn, QRgb colour);
    void drawPlotLine(QPoint from, QPoint to, QRgb colour);
    // Draws a curve segment into the bitmap, redraws the grid over its columns and shows them.
    void repaintColumns(QPoint a, QPoint b, QRgb colour);
    void copyPlotToWindow();
    void copyColumnsToWindow(int firstColumn, int lastColumn);
    // Exclusive-or figures on the window, in client coordinates.
    void xorRectOnWindow(const QRect& client, QRgb colour);
    void xorLineOnWindow(QPoint fromClient, QPoint toClient, QRgb colour);
    void setWindowPixel(QPoint client, QRgb colour);

    // A client point as a plot point, clamped into the plot; while `mode` is Line the column may
    // also be plotWidth, so that a line reaches the last points.
    QPoint toPlotPoint(QPoint client) const;

    // Holding the mouse for a gesture (also without a button, for placing a paste).
    void captureMouse();
    void releaseCapture();

    // The state of the current gesture, kept by the editing tools.
    bool capturing = false;
    DragMode mode = DragMode::Freehand;
    QPoint lastPoint;
    QPoint anchor;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QMdiSubWindow* frame() const;
    // The scale in the margins around the plot (the plot itself is not touched).
    void drawScale();
    // The status bar's readout for the point under the mouse, or none outside the plot.
    void showReadout(QPoint client);
    bool isMinimised() const;
    bool holdsSelection() const;

    CKyrelApp& app_;
    CurveKind kind_ = CurveKind::Waveform;
    PlotScale plot_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    QImage bitmap_;
    QImage window_;
    // The press that is under way made this window the current edit window: it only activates.
    bool activatingPress_ = false;
    // Where that press was: a drag from it activates and draws, a press alone only activates.
    std::optional<QPoint> deferredPress_;
    bool deferredCtrl_ = false;
    // The cycles of the current track's waveform, for the pitch in the scale and readout.
    int waveformCycles() const;
};

}  // namespace kyrel
