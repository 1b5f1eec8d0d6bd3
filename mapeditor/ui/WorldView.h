#pragma once
#include <QImage>
#include <QString>
#include <QWidget>
#include <vector>

#include "engine/field/DoorTable.h"
#include "mapeditor/core/GameFolder.h"

namespace tessel {

// Every map of the game as a small picture, side by side in rows, with each door an arrow from
// its mark to its arrival cell. A double click on a map opens it.
class WorldView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kThumbSide = 160;  // the longer side of a map's picture, in pixels

    explicit WorldView(QWidget* parent = nullptr);
    // Reads every map of the game again (after opening a game or saving).
    void setGame(const GameFolder& game);

    QStringList mapNames() const;
    // Where a map is drawn, empty when the game has no such map.
    QRect boxOf(const QString& name) const;
    // The doors drawn: from a map's mark cell to another map's arrival cell.
    struct Arrow {
        QString from, to;
        QPointF start, end;
    };
    const std::vector<Arrow>& arrows() const { return arrows_; }
    QSize sizeHint() const override;

  Q_SIGNALS:
    void mapActivated(const QString& name);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    struct Thumb {
        QString name;
        QImage picture;
        QRect box;
        double scale = 1;  // picture pixels per map cell
        std::vector<Door> doors;
        std::vector<std::pair<int, QPoint>> marks;  // the first cell of each mark number
    };
    QPointF cellCentre(const Thumb& thumb, int column, int row) const;

    std::vector<Thumb> thumbs_;
    std::vector<Arrow> arrows_;
    QSize size_;
};

}  // namespace tessel
