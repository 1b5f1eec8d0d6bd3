#pragma once
#include <QObject>
#include <QUndoGroup>
#include <QUndoStack>
#include <map>
#include <optional>

#include "mapeditor/core/MapDocument.h"
#include "mapeditor/core/TileEdits.h"

namespace tessel {

enum class Tool { Pencil, Rectangle, Fill, Eyedropper, Eraser, Select };

// The document being edited and the editing state the window, the map view and the palette
// share: the active layer, the brushes, the selection and the clipboard, and the undo stack
// through which every change of the document goes.
//
// Several maps may be open (the window's tabs), each a sheet with its own document, undo history
// and selection; one is edited at a time, the others wait with their changes and history intact.
// The undo group's active stack is the edited sheet's, so Undo never reaches another map.
class EditorModel : public QObject {
    Q_OBJECT
  public:
    explicit EditorModel(QObject* parent = nullptr);

    MapDocument& document() { return document_; }
    const TileMap& map() const { return document_.map; }
    QUndoStack& undoStack() { return *undoStack_; }
    QUndoGroup& undoGroup() { return undoGroup_; }

    // Replaces the edited sheet's document; its undo history starts again.
    void setDocument(MapDocument document);

    // Opens `document` as a new sheet and edits it; returns the sheet's number.
    int addSheet(MapDocument document);
    // Edits the sheet `sheet` (the one edited is set aside as it is); false when there is none.
    bool showSheet(int sheet);
    // Drops a sheet that is not the one edited, with its changes.
    void removeSheet(int sheet);
    int currentSheet() const { return current_; }
    // A sheet's document and undo history, edited or set aside; null when there is no such sheet.
    const MapDocument* sheetDocument(int sheet) const;
    const QUndoStack* sheetUndo(int sheet) const;

    int activeLayer() const { return activeLayer_; }
    void setActiveLayer(int layer);
    unsigned visibleLayers() const { return visibleLayers_; }
    void setLayerVisible(int layer, bool visible);

    Tool tool() const { return tool_; }
    void setTool(Tool tool);

    // The brush of the active layer: tile numbers, or mark numbers on the marks layer.
    const TileBlock& brush() const { return activeLayer_ == 2 ? markBrush_ : tileBrush_; }
    void setBrush(const TileBlock& brush);

    const TileRect& selection() const { return selection_; }
    void setSelection(const TileRect& rect);
    bool copyAllLayers() const { return copyAllLayers_; }
    void setCopyAllLayers(bool all) { copyAllLayers_ = all; }
    // The layers a selection's copy, cut, move and delete work on.
    unsigned selectionLayers() const;

    // Editing through the undo stack. Each returns false when nothing changed.
    bool applyPatch(const TilePatch& patch, const QString& text);
    void pushStroke(std::vector<TilePatch> applied, std::vector<TilePatch> undo,
                    const QString& text);
    void replaceMap(const TileMap& map, const QString& text);
    void toggleBlocks(int tile);
    // Sets the door of `door.mark`, or removes it when `door.map` is empty.
    void setDoor(const Door& door);
    void copySelection();
    void cutSelection();
    void paste();
    void deleteSelection();

    // Applies a patch at once, without the undo stack (a stroke in progress); returns the undo.
    TilePatch applyNow(const TilePatch& patch);
    // Called by the undo commands after they changed the document.
    void notifyChanged(bool tileSetChanged);
    void notifyDoorsChanged() { Q_EMIT doorsChanged(); }

  Q_SIGNALS:
    void documentChanged();  // cells, size or tile set: redraw
    void attributesChanged();
    void doorsChanged();
    void stateChanged();  // layer, tool, brush or selection

  private:
    struct Sheet {
        MapDocument document;
        QUndoStack* undo;
        TileRect selection;
    };
    // Sets the edited sheet aside and edits `sheet` in its place.
    void swapIn(Sheet sheet, int number);

    MapDocument document_;
    QUndoGroup undoGroup_;
    QUndoStack* undoStack_;
    int current_ = 0;
    int nextSheet_ = 1;
    std::map<int, Sheet> parked_;  // the sheets not edited
    int activeLayer_ = 0;
    unsigned visibleLayers_ = kAllLayers;
    Tool tool_ = Tool::Pencil;
    TileBlock tileBrush_ = TileBlock::single(0);
    TileBlock markBrush_ = TileBlock::single(1);
    TileRect selection_;
    std::optional<TilePatch> clipboard_;
    bool copyAllLayers_ = true;
};

}  // namespace tessel
