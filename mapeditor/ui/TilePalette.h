#pragma once
#include <QPoint>
#include <QWidget>
#include <optional>

namespace tessel {

class EditorModel;

// The tiles of the sheet to paint with (sixteen to a row, tile b at column b & 15, row b >> 4),
// or, while the marks layer is active, the tile-event numbers 0..63 (eight to a row; 0 clears a
// mark). A click picks one, a drag a block. Tiles that block walkers are crossed out; in
// blocking mode a click switches a tile's "blocks" attribute instead.
class TilePalette : public QWidget {
    Q_OBJECT
  public:
    explicit TilePalette(EditorModel& model, QWidget* parent = nullptr);

    void setEditBlocks(bool on);
    bool editBlocks() const { return editBlocks_; }
    // The widget position of the centre of entry `value` (a tile or a mark number).
    QPoint centreOf(int value) const;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool marks() const;
    int columns() const { return marks() ? 8 : 16; }
    int cellPixels() const { return marks() ? 48 : 24; }
    QPoint cellAt(const QPoint& pos) const;
    void paintTiles(QPainter& painter);
    void paintMarks(QPainter& painter);

    EditorModel& model_;
    bool editBlocks_ = false;
    std::optional<QPoint> pressCell_;
    QRect chosen_;  // the cells of the current brush, when it came from the palette
};

}  // namespace tessel
