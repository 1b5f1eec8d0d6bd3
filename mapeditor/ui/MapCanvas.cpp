#include "mapeditor/ui/MapCanvas.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "engine/core/CDib.h"
#include "mapeditor/core/MapPicture.h"
#include "mapeditor/core/ScreenFrame.h"
#include "mapeditor/ui/EditorModel.h"

namespace tessel {

QImage toQImage(const CDib& picture) {
    if (picture.Empty()) return QImage();
    const QImage view(reinterpret_cast<const uchar*>(picture.Row(0)), picture.Width(),
                      picture.Height(), picture.Stride(), QImage::Format_RGB555);
    return view.copy();
}

MapCanvas::MapCanvas(EditorModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&model_, &EditorModel::doorsChanged, this, [this] { update(); });
    connect(&model_, &EditorModel::documentChanged, this, [this] {
        updateGeometry();
        resize(sizeHint());
        update();
    });
    connect(&model_, &EditorModel::attributesChanged, this, qOverload<>(&QWidget::update));
    connect(&model_, &EditorModel::stateChanged, this, qOverload<>(&QWidget::update));
}

void MapCanvas::setZoom(int zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == zoom_) return;
    zoom_ = zoom;
    updateGeometry();
    resize(sizeHint());
    update();
    Q_EMIT zoomChanged(zoom_);
}

void MapCanvas::setShowGrid(bool on) {
    showGrid_ = on;
    update();
}

void MapCanvas::setShowBlocking(bool on) {
    showBlocking_ = on;
    update();
}

void MapCanvas::setShowScreenFrame(bool on) {
    showFrame_ = on;
    update();
}

QSize MapCanvas::sizeHint() const {
    return QSize(std::max(model_.map().width, 1) * cellPixels(),
                 std::max(model_.map().height, 1) * cellPixels());
}

QPoint MapCanvas::cellAt(const QPoint& pos) const {
    const auto cell = [this](int v) { return v < 0 ? -1 : v / cellPixels(); };
    return QPoint(cell(pos.x()), cell(pos.y()));
}

QRect MapCanvas::pixelsOf(const TileRect& rect) const {
    return QRect(rect.column * cellPixels(), rect.row * cellPixels(), rect.width * cellPixels(),
                 rect.height * cellPixels());
}

void MapCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::darkGray);
    const TileMap& map = model_.map();
    const QRect area = event->rect();
    const TileRect visible =
        intersect(spanOf(area.left() / cellPixels(), area.top() / cellPixels(),
                         area.right() / cellPixels(), area.bottom() / cellPixels()),
                  TileRect{0, 0, map.width, map.height});
    if (visible.empty()) return;
    // The visible tiles, drawn by the game's own code into a picture of their size.
    const CDib picture = renderMap(map, model_.document().sheet, model_.visibleLayers(), visible);
    painter.drawImage(pixelsOf(visible), toQImage(picture));
    paintOverlays(painter, visible);
}

void MapCanvas::paintOverlays(QPainter& painter, const TileRect& visible) {
    const TileMap& map = model_.map();
    const int layer = model_.activeLayer();
    for (int r = visible.row; r < visible.row + visible.height; ++r)
        for (int c = visible.column; c < visible.column + visible.width; ++c) {
            const QRect cell = pixelsOf(TileRect{c, r, 1, 1});
            if (showBlocking_ && model_.document().attributes.blocks(map.at(0, c, r)))
                painter.fillRect(cell, QColor(255, 0, 0, 90));
            // The active upper or overlay layer: its filled cells are outlined.
            if ((layer == 1 || layer == 3) && map.at(layer, c, r) != emptyValue(layer)) {
                painter.setPen(QColor(255, 230, 0, 200));
                painter.drawRect(cell.adjusted(1, 1, -2, -2));
            }
        }
    if (model_.visibleLayers() & layerBit(2)) paintMarks(painter, visible);
    if (showGrid_ && zoom_ >= 2) {
        painter.setPen(QColor(0, 0, 0, 70));
        for (int c = visible.column; c <= visible.column + visible.width; ++c)
            painter.drawLine(c * cellPixels(), visible.row * cellPixels(), c * cellPixels(),
                             (visible.row + visible.height) * cellPixels());
        for (int r = visible.row; r <= visible.row + visible.height; ++r)
            painter.drawLine(visible.column * cellPixels(), r * cellPixels(),
                             (visible.column + visible.width) * cellPixels(), r * cellPixels());
    }
    paintFrames(painter);
}

void MapCanvas::paintMarks(QPainter& painter, const TileRect& visible) {
    const TileMap& map = model_.map();
    QFont font = painter.font();
    font.setPixelSize(std::max(9, cellPixels() / 3));
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    // The active marks layer stands out in yellow; otherwise the numbers are a quiet white.
    const QColor badge = model_.activeLayer() == 2 ? QColor(255, 220, 0) : QColor(235, 235, 235);
    for (int r = visible.row; r < visible.row + visible.height; ++r)
        for (int c = visible.column; c < visible.column + visible.width; ++c) {
            const int mark = map.at(2, c, r) & kMarkBits;
            if (mark == 0) continue;
            const QRect cell = pixelsOf(TileRect{c, r, 1, 1});
            // The number in a badge at the top left, and from zoom 3 on the label the tile event
            // jumps to.
            // A door's mark is a green badge with an arrow and, under it, where it leads.
            const Door* door = FindDoor(model_.document().doors.doors, mark);
            const QString number =
                QString::number(mark) + (door ? QStringLiteral("\u2192") : QString());
            const QRect box(cell.left() + 1, cell.top() + 1, metrics.horizontalAdvance(number) + 4,
                            metrics.height());
            painter.fillRect(box, door ? QColor(80, 220, 120) : badge);
            painter.setPen(Qt::black);
            painter.drawText(box, Qt::AlignCenter, number);
            if (door) painter.drawRect(cell.adjusted(0, 0, -1, -1));
            if (zoom_ < 3) continue;
            const QString label =
                door ? QString::fromStdString(door->map) : QStringLiteral("PLC%1").arg(mark - 1);
            const QRect under(cell.left() + 1, cell.bottom() - metrics.height(),
                              metrics.horizontalAdvance(label) + 4, metrics.height());
            painter.fillRect(under, QColor(0, 0, 0, 160));
            painter.setPen(badge);
            painter.drawText(under, Qt::AlignCenter, label);
        }
}

void MapCanvas::paintFrames(QPainter& painter) {
    const TileRect& selection = model_.selection();
    if (!selection.empty()) {
        painter.setPen(QPen(Qt::cyan, 2, Qt::DashLine));
        painter.drawRect(pixelsOf(selection).adjusted(1, 1, -1, -1));
    }
    if (pressCell_ && lastCell_ && model_.tool() == Tool::Rectangle) {
        painter.setPen(QPen(Qt::white, 2));
        painter.drawRect(
            pixelsOf(spanOf(pressCell_->x(), pressCell_->y(), lastCell_->x(), lastCell_->y()))
                .adjusted(1, 1, -1, -1));
    }
    if (showFrame_ && hover_ && model_.map().inside(hover_->x(), hover_->y())) {
        const ScreenFrame frame = screenFrameAt(model_.map(), hover_->x(), hover_->y());
        painter.setPen(QPen(QColor(255, 255, 255, 160), 1, Qt::DashLine));
        painter.drawRect(frame.left * zoom_, frame.top * zoom_, kScreenPixelsWide * zoom_ - 1,
                         kScreenPixelsHigh * zoom_ - 1);
    }
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();  // the scroll area scrolls
        return;
    }
    setZoom(zoom_ + (event->angleDelta().y() > 0 ? 1 : -1));
    event->accept();
}

void MapCanvas::leaveEvent(QEvent*) {
    hover_.reset();
    Q_EMIT cellHovered(-1, -1);
    update();
}

}  // namespace tessel
