#pragma once
#include <QDialog>
#include <QImage>
#include <optional>

#include "engine/field/DoorTable.h"
#include "mapeditor/core/GameFolder.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QSpinBox;

namespace tessel {

// The destination map drawn small; a click chooses the arrival cell, which is crossed.
class DoorTarget : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kCellPixels = 8;  // half a tile: a whole map stays in view

    explicit DoorTarget(QWidget* parent = nullptr);
    void setMap(const QImage& picture, int width, int height);
    void setCell(int column, int row);
    std::optional<QPoint> cell() const { return cell_; }
    QPoint centreOf(int column, int row) const;
    QSize sizeHint() const override;

  Q_SIGNALS:
    void cellChosen();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QImage picture_;
    int width_ = 0, height_ = 0;
    std::optional<QPoint> cell_;
};

// "Door to...": the destination among the game's maps, the arrival cell clicked on it, the
// facing and the fade. Accepted with OK; "Remove door" accepts with no destination.
class DoorDialog : public QDialog {
    Q_OBJECT
  public:
    DoorDialog(const GameFolder& game, const Door& start, QWidget* parent = nullptr);
    // The door chosen; its map is empty when the door is to be removed.
    Door door() const { return door_; }
    DoorTarget* target() const { return target_; }

  private:
    void showMap(const QString& name);
    void refresh();

    GameFolder game_;
    Door door_;
    QComboBox* maps_ = nullptr;
    QComboBox* facing_ = nullptr;
    QSpinBox* fade_ = nullptr;
    DoorTarget* target_ = nullptr;
    QLabel* arrival_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tessel
