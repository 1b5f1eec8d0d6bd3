#include "mapeditor/ui/EditCommands.h"

#include <QCoreApplication>

#include "mapeditor/ui/EditorModel.h"

namespace tessel {

PatchCommand::PatchCommand(EditorModel& model, std::vector<TilePatch> patches,
                           std::vector<TilePatch> undo, const QString& text)
    : QUndoCommand(text),
      model_(model),
      patches_(std::move(patches)),
      undo_(std::move(undo)),
      applied_(!undo_.empty()) {}

void PatchCommand::redo() {
    if (applied_) {
        applied_ = false;
        return;
    }
    undo_.clear();
    for (const TilePatch& patch : patches_) undo_.push_back(apply(model_.document().map, patch));
    model_.notifyChanged(false);
}

void PatchCommand::undo() {
    for (auto it = undo_.rbegin(); it != undo_.rend(); ++it) apply(model_.document().map, *it);
    model_.notifyChanged(false);
}

MapCommand::MapCommand(EditorModel& model, TileMap before, TileMap after, const QString& text)
    : QUndoCommand(text), model_(model), before_(std::move(before)), after_(std::move(after)) {}

void MapCommand::redo() {
    set(after_);
}

void MapCommand::undo() {
    set(before_);
}

void MapCommand::set(const TileMap& map) {
    const bool newSet = model_.document().map.tileSet != map.tileSet;
    model_.document().map = map;
    if (newSet) loadTileSet(model_.document());
    model_.notifyChanged(newSet);
}

BlocksCommand::BlocksCommand(EditorModel& model, int tile)
    : QUndoCommand(QCoreApplication::translate("tessel::EditCommands", "Toggle blocking of tile %1")
                       .arg(tile)),
      model_(model),
      tile_(tile) {}

void BlocksCommand::redo() {
    TileAttributes& attributes = model_.document().attributes;
    attributes.setBlocks(tile_, !attributes.blocks(tile_));
    Q_EMIT model_.attributesChanged();
}

DoorsCommand::DoorsCommand(EditorModel& model, std::vector<Door> before, std::vector<Door> after,
                           const QString& text)
    : QUndoCommand(text), model_(model), before_(std::move(before)), after_(std::move(after)) {}

void DoorsCommand::redo() {
    model_.document().doors.doors = after_;
    model_.notifyDoorsChanged();
}

void DoorsCommand::undo() {
    model_.document().doors.doors = before_;
    model_.notifyDoorsChanged();
}

}  // namespace tessel
