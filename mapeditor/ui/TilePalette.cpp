#include "mapeditor/ui/TilePalette.h"

#include <QMouseEvent>
#include <QPainter>

#include "engine/core/CDib.h"
#include "mapeditor/ui/EditorModel.h"
#include "mapeditor/ui/MapCanvas.h"

namespace tessel {

TilePalette::TilePalette(EditorModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    connect(&model_, &EditorModel::attributesChanged, this, qOverload<>(&QWidget::update));
    connect(&model_, &EditorModel::documentChanged, this, qOverload<>(&QWidget::update));
    connect(&model_, &EditorModel::stateChanged, this, [this] {
        updateGeometry();
        update();
    });
}

bool TilePalette::marks() const {
    return model_.activeLayer() == 2;
}

void TilePalette::setEditBlocks(bool on) {
    editBlocks_ = on;
    update();
}

QSize TilePalette::sizeHint() const {
    return QSize(16 * 24, 16 * 24);
}

QPoint TilePalette::cellAt(const QPoint& pos) const {
    const int last = marks() ? 7 : 15;
    return QPoint(std::clamp(pos.x() / cellPixels(), 0, last),
                  std::clamp(pos.y() / cellPixels(), 0, last));
}

QPoint TilePalette::centreOf(int value) const {
    return QPoint((value % columns()) * cellPixels() + cellPixels() / 2,
                  (value / columns()) * cellPixels() + cellPixels() / 2);
}

void TilePalette::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::darkGray);
    if (marks())
        paintMarks(painter);
    else
        paintTiles(painter);
    // The brush: the block being dragged, else the cell of a single tile (the eyedropper's too).
    QRect shown = chosen_;
    if (!pressCell_ && model_.brush().width == 1 && model_.brush().height == 1) {
        const int value = model_.brush().at(0, 0);
        shown = QRect(value % columns(), value / columns(), 1, 1);
    }
    if (!shown.isNull()) {
        painter.setPen(QPen(Qt::yellow, 2));
        painter.drawRect(shown.x() * cellPixels() + 1, shown.y() * cellPixels() + 1,
                         shown.width() * cellPixels() - 2, shown.height() * cellPixels() - 2);
    }
}

void TilePalette::paintTiles(QPainter& painter) {
    const CDib& sheet = model_.document().sheet;
    painter.drawImage(QRect(0, 0, 16 * cellPixels(), 16 * cellPixels()), toQImage(sheet),
                      QRect(0, 0, 256, 256));
    painter.setPen(QPen(QColor(255, 40, 40), 2));
    for (int tile = 0; tile < 256; ++tile) {
        if (!model_.document().attributes.blocks(tile)) continue;
        const QRect cell((tile % 16) * cellPixels(), (tile / 16) * cellPixels(), cellPixels(),
                         cellPixels());
        painter.drawLine(cell.topLeft() + QPoint(3, 3), cell.bottomRight() - QPoint(3, 3));
        painter.drawLine(cell.topRight() + QPoint(-3, 3), cell.bottomLeft() + QPoint(3, -3));
    }
}

void TilePalette::paintMarks(QPainter& painter) {
    painter.setPen(Qt::white);
    for (int mark = 0; mark <= 63; ++mark) {
        const QRect cell((mark % 8) * cellPixels(), (mark / 8) * cellPixels(), cellPixels(),
                         cellPixels());
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        painter.drawText(
            cell, Qt::AlignCenter,
            mark == 0 ? tr("none") : QStringLiteral("%1\nPLC%2").arg(mark).arg(mark - 1));
    }
}

void TilePalette::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint cell = cellAt(event->position().toPoint());
    if (editBlocks_ && !marks()) {
        model_.toggleBlocks(cell.y() * 16 + cell.x());
        return;
    }
    pressCell_ = cell;
    chosen_ = QRect(cell, cell);
    update();
}

void TilePalette::mouseMoveEvent(QMouseEvent* event) {
    if (!pressCell_) return;
    chosen_ = QRect(*pressCell_, cellAt(event->position().toPoint())).normalized();
    update();
}

void TilePalette::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressCell_ || event->button() != Qt::LeftButton) return;
    chosen_ = QRect(*pressCell_, cellAt(event->position().toPoint())).normalized();
    pressCell_.reset();
    TileBlock block{chosen_.width(), chosen_.height(), {}};
    for (int r = chosen_.top(); r <= chosen_.bottom(); ++r)
        for (int c = chosen_.left(); c <= chosen_.right(); ++c)
            block.values.push_back(static_cast<std::uint8_t>(r * columns() + c));
    model_.setBrush(block);
    update();
}

}  // namespace tessel
