// The map view's mouse: each tool's gesture turned into edits of the model.
#include <QMouseEvent>

#include "mapeditor/ui/EditorModel.h"
#include "mapeditor/ui/MapCanvas.h"

namespace tessel {

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint cell = cellAt(event->position().toPoint());
    const TileMap& map = model_.map();
    const int layer = model_.activeLayer();
    pressCell_ = cell;
    lastCell_ = cell;
    switch (model_.tool()) {
        case Tool::Pencil:
        case Tool::Eraser:
            strokeAt(cell);
            break;
        case Tool::Fill:
            model_.applyPatch(floodFill(map, layer, cell.x(), cell.y(), model_.brush()),
                              tr("Fill"));
            pressCell_.reset();
            break;
        case Tool::Eyedropper:
            if (map.inside(cell.x(), cell.y()))
                model_.setBrush(TileBlock::single(pickValue(map, layer, cell.x(), cell.y())));
            pressCell_.reset();
            break;
        case Tool::Select:
            pressSelect(cell);
            break;
        case Tool::Rectangle:
            update();
            break;
    }
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint cell = cellAt(event->position().toPoint());
    if (!hover_ || *hover_ != cell) {
        hover_ = cell;
        const bool inside = model_.map().inside(cell.x(), cell.y());
        Q_EMIT cellHovered(inside ? cell.x() : -1, inside ? cell.y() : -1);
        update();
    }
    if (!pressCell_ || !(event->buttons() & Qt::LeftButton) || lastCell_ == cell) return;
    lastCell_ = cell;
    switch (model_.tool()) {
        case Tool::Pencil:
        case Tool::Eraser:
            strokeAt(cell);
            break;
        case Tool::Select:
            if (!movingSelection_)
                model_.setSelection(spanOf(pressCell_->x(), pressCell_->y(), cell.x(), cell.y()));
            break;
        default:
            update();
            break;
    }
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressCell_) return;
    const QPoint cell = cellAt(event->position().toPoint());
    switch (model_.tool()) {
        case Tool::Pencil:
        case Tool::Eraser:
            finishStroke();
            break;
        case Tool::Rectangle:
            model_.applyPatch(fillRect(model_.map(), model_.activeLayer(),
                                       spanOf(pressCell_->x(), pressCell_->y(), cell.x(), cell.y()),
                                       model_.brush()),
                              tr("Rectangle"));
            break;
        case Tool::Select:
            releaseSelect(cell);
            break;
        default:
            break;
    }
    pressCell_.reset();
    lastCell_.reset();
    update();
}

// One step of a pencil or eraser stroke, applied at once; the stroke becomes one undo step when
// the button is released.
void MapCanvas::strokeAt(const QPoint& cell) {
    const int layer = model_.activeLayer();
    const TilePatch patch =
        model_.tool() == Tool::Eraser
            ? eraseRect(model_.map(), TileRect{cell.x(), cell.y(), 1, 1}, layerBit(layer))
            : stampBrush(model_.map(), layer, cell.x(), cell.y(), model_.brush());
    if (!changesMap(model_.map(), patch)) return;
    strokeUndo_.push_back(model_.applyNow(patch));
    strokeApplied_.push_back(patch);
}

void MapCanvas::finishStroke() {
    if (strokeApplied_.empty()) return;
    model_.pushStroke(std::move(strokeApplied_), std::move(strokeUndo_),
                      model_.tool() == Tool::Eraser ? tr("Erase") : tr("Pencil"));
    strokeApplied_.clear();
    strokeUndo_.clear();
}

void MapCanvas::pressSelect(const QPoint& cell) {
    movingSelection_ = model_.selection().contains(cell.x(), cell.y());
    if (!movingSelection_) model_.setSelection(TileRect{cell.x(), cell.y(), 1, 1});
}

// A drag that started inside the selection moves its tiles; the selection goes with them.
void MapCanvas::releaseSelect(const QPoint& cell) {
    if (!movingSelection_) return;
    movingSelection_ = false;
    const int dx = cell.x() - pressCell_->x(), dy = cell.y() - pressCell_->y();
    if (dx == 0 && dy == 0) return;
    const TileRect from = model_.selection();
    model_.applyPatch(moveRect(model_.map(), from, model_.selectionLayers(), dx, dy), tr("Move"));
    model_.setSelection(TileRect{from.column + dx, from.row + dy, from.width, from.height});
}

}  // namespace tessel
