#pragma once
#include <QPoint>
#include <QWidget>
#include <optional>
#include <vector>

#include "mapeditor/core/TileEdits.h"

class CDib;
class QImage;

namespace tessel {

class EditorModel;

inline constexpr int kMinZoom = 1;
inline constexpr int kMaxZoom = 8;

// The map as the game draws it, magnified by a whole zoom factor, with the editor's overlays:
// the grid, the marks' numbers and labels, the blocking tiles, the active layer, the selection
// and the frame of one game screen around the cell under the mouse. The mouse works the tools.
class MapCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit MapCanvas(EditorModel& model, QWidget* parent = nullptr);

    int zoom() const { return zoom_; }
    void setZoom(int zoom);
    void setShowGrid(bool on);
    void setShowBlocking(bool on);
    void setShowScreenFrame(bool on);
    bool showGrid() const { return showGrid_; }

    // The cell under a widget position (it may lie outside the map).
    QPoint cellAt(const QPoint& pos) const;
    QSize sizeHint() const override;

  Q_SIGNALS:
    void cellHovered(int column, int row);  // -1, -1 when the mouse left the map
    void zoomChanged(int zoom);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    int cellPixels() const { return 16 * zoom_; }
    void paintOverlays(QPainter& painter, const TileRect& visible);
    void paintMarks(QPainter& painter, const TileRect& visible);
    void paintFrames(QPainter& painter);
    void strokeAt(const QPoint& cell);
    void finishStroke();
    void pressSelect(const QPoint& cell);
    void releaseSelect(const QPoint& cell);
    QRect pixelsOf(const TileRect& rect) const;

    EditorModel& model_;
    int zoom_ = 2;
    bool showGrid_ = true;
    bool showBlocking_ = false;
    bool showFrame_ = true;
    std::optional<QPoint> hover_;
    // The gesture under way: the cell it started on and, for strokes, what was applied.
    std::optional<QPoint> pressCell_;
    std::optional<QPoint> lastCell_;
    bool movingSelection_ = false;
    std::vector<TilePatch> strokeApplied_, strokeUndo_;
};

// A 5-5-5 picture as a Qt image (a copy).
QImage toQImage(const CDib& picture);

}  // namespace tessel
