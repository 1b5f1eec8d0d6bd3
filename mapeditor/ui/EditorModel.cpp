#include "mapeditor/ui/EditorModel.h"

#include <algorithm>

#include "mapeditor/ui/EditCommands.h"

namespace tessel {

EditorModel::EditorModel(QObject* parent)
    : QObject(parent), undoStack_(new QUndoStack(&undoGroup_)) {
    undoGroup_.setActiveStack(undoStack_);
}

void EditorModel::setDocument(MapDocument document) {
    undoStack_->clear();
    document_ = std::move(document);
    selection_ = TileRect{};
    undoStack_->setClean();
    Q_EMIT documentChanged();
    Q_EMIT attributesChanged();
    Q_EMIT stateChanged();
}

void EditorModel::swapIn(Sheet sheet, int number) {
    parked_.insert_or_assign(current_, Sheet{std::move(document_), undoStack_, selection_});
    document_ = std::move(sheet.document);
    undoStack_ = sheet.undo;
    selection_ = sheet.selection;
    current_ = number;
    undoGroup_.setActiveStack(undoStack_);
    Q_EMIT documentChanged();
    Q_EMIT attributesChanged();
    Q_EMIT doorsChanged();
    Q_EMIT stateChanged();
}

int EditorModel::addSheet(MapDocument document) {
    const int number = nextSheet_++;
    swapIn(Sheet{std::move(document), new QUndoStack(&undoGroup_), TileRect{}}, number);
    return number;
}

bool EditorModel::showSheet(int sheet) {
    if (sheet == current_) return true;
    const auto found = parked_.find(sheet);
    if (found == parked_.end()) return false;
    Sheet waiting = std::move(found->second);
    parked_.erase(found);
    swapIn(std::move(waiting), sheet);
    return true;
}

void EditorModel::removeSheet(int sheet) {
    const auto found = parked_.find(sheet);
    if (found == parked_.end()) return;
    delete found->second.undo;
    parked_.erase(found);
}

const MapDocument* EditorModel::sheetDocument(int sheet) const {
    if (sheet == current_) return &document_;
    const auto found = parked_.find(sheet);
    return found == parked_.end() ? nullptr : &found->second.document;
}

const QUndoStack* EditorModel::sheetUndo(int sheet) const {
    if (sheet == current_) return undoStack_;
    const auto found = parked_.find(sheet);
    return found == parked_.end() ? nullptr : found->second.undo;
}

void EditorModel::setActiveLayer(int layer) {
    activeLayer_ = std::clamp(layer, 0, kLayerCount - 1);
    Q_EMIT stateChanged();
}

void EditorModel::setLayerVisible(int layer, bool visible) {
    visibleLayers_ =
        visible ? (visibleLayers_ | layerBit(layer)) : (visibleLayers_ & ~layerBit(layer));
    Q_EMIT documentChanged();
}

void EditorModel::setTool(Tool tool) {
    tool_ = tool;
    Q_EMIT stateChanged();
}

void EditorModel::setBrush(const TileBlock& brush) {
    (activeLayer_ == 2 ? markBrush_ : tileBrush_) = brush;
    Q_EMIT stateChanged();
}

void EditorModel::setSelection(const TileRect& rect) {
    selection_ = intersect(rect, TileRect{0, 0, map().width, map().height});
    Q_EMIT stateChanged();
}

unsigned EditorModel::selectionLayers() const {
    return copyAllLayers_ ? kAllLayers : layerBit(activeLayer_);
}

bool EditorModel::applyPatch(const TilePatch& patch, const QString& text) {
    if (!changesMap(map(), patch)) return false;
    undoStack_->push(new PatchCommand(*this, {patch}, {}, text));
    return true;
}

void EditorModel::pushStroke(std::vector<TilePatch> applied, std::vector<TilePatch> undo,
                             const QString& text) {
    if (applied.empty()) return;
    undoStack_->push(new PatchCommand(*this, std::move(applied), std::move(undo), text));
}

void EditorModel::replaceMap(const TileMap& map, const QString& text) {
    if (map == document_.map) return;
    undoStack_->push(new MapCommand(*this, document_.map, map, text));
}

void EditorModel::toggleBlocks(int tile) {
    undoStack_->push(new BlocksCommand(*this, tile));
}

void EditorModel::copySelection() {
    if (!selection_.empty()) clipboard_ = capture(map(), selection_, selectionLayers());
}

void EditorModel::cutSelection() {
    copySelection();
    deleteSelection();
}

void EditorModel::paste() {
    if (!clipboard_) return;
    const int column = selection_.empty() ? 0 : selection_.column;
    const int row = selection_.empty() ? 0 : selection_.row;
    const TilePatch placed = placedAt(map(), *clipboard_, column, row);
    applyPatch(placed, tr("Paste"));
    setSelection(TileRect{column, row, clipboard_->rect.width, clipboard_->rect.height});
}

void EditorModel::deleteSelection() {
    if (!selection_.empty())
        applyPatch(eraseRect(map(), selection_, selectionLayers()), tr("Delete"));
}

TilePatch EditorModel::applyNow(const TilePatch& patch) {
    TilePatch undo = apply(document_.map, patch);
    Q_EMIT documentChanged();
    return undo;
}

void EditorModel::notifyChanged(bool tileSetChanged) {
    Q_EMIT documentChanged();
    if (tileSetChanged) Q_EMIT attributesChanged();
}

void EditorModel::setDoor(const Door& door) {
    std::vector<Door> doors = document_.doors.doors;
    std::erase_if(doors, [&](const Door& d) { return d.mark == door.mark; });
    if (!door.map.empty()) {
        doors.push_back(door);
        std::sort(doors.begin(), doors.end(),
                  [](const Door& a, const Door& b) { return a.mark < b.mark; });
    }
    if (doors == document_.doors.doors) return;
    undoStack_->push(new DoorsCommand(*this, document_.doors.doors, std::move(doors),
                                      door.map.empty() ? tr("Remove door") : tr("Door")));
}

}  // namespace tessel
