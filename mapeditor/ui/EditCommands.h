#pragma once
#include <QUndoCommand>
#include <vector>

#include "engine/field/DoorTable.h"
#include "mapeditor/core/TileEdits.h"

namespace tessel {

class EditorModel;

// Cell changes: patches applied in order; undone by their old values in reverse order. A stroke
// of the pencil or eraser is already on the map when it is pushed, so its first redo does nothing.
class PatchCommand : public QUndoCommand {
  public:
    PatchCommand(EditorModel& model, std::vector<TilePatch> patches, std::vector<TilePatch> undo,
                 const QString& text);
    void redo() override;
    void undo() override;

  private:
    EditorModel& model_;
    std::vector<TilePatch> patches_, undo_;
    bool applied_;
};

// A whole new map: resize or another tile set.
class MapCommand : public QUndoCommand {
  public:
    MapCommand(EditorModel& model, TileMap before, TileMap after, const QString& text);
    void redo() override;
    void undo() override;

  private:
    void set(const TileMap& map);
    EditorModel& model_;
    TileMap before_, after_;
};

// The "blocks" attribute of one tile number switched on or off.
class BlocksCommand : public QUndoCommand {
  public:
    BlocksCommand(EditorModel& model, int tile);
    void redo() override;
    void undo() override { redo(); }

  private:
    EditorModel& model_;
    int tile_;
};

// A map's doors replaced: one door set, changed or removed.
class DoorsCommand : public QUndoCommand {
  public:
    DoorsCommand(EditorModel& model, std::vector<Door> before, std::vector<Door> after,
                 const QString& text);
    void redo() override;
    void undo() override;

  private:
    EditorModel& model_;
    std::vector<Door> before_, after_;
};

}  // namespace tessel
