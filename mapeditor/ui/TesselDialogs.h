#pragma once
#include <QString>
#include <QStringList>
#include <optional>

#include "engine/field/DoorTable.h"
#include "mapeditor/core/GameFolder.h"
#include "mapeditor/core/TileEdits.h"

class QWidget;

namespace tessel {

enum class SaveAnswer { Save, Discard, Cancel };

// The map settings the user can change: size with the anchor of the old map, and tile set.
struct MapSettings {
    int width = 0, height = 0;
    Anchor anchor = Anchor::TopLeft;
    int tileSet = 0;
};

// The window's modal conversations with the user. Tests put answers in their place.
class TesselDialogs {
  public:
    virtual ~TesselDialogs() = default;

    // "Save the changes to NAME?" with Save, Discard and Cancel.
    virtual SaveAnswer askSaveChanges(const QString& mapName) = 0;
    virtual void showMessage(const QString& text, bool warning) = 0;
    // A file or directory chosen by the user, or an empty string when cancelled.
    virtual QString openMapFile(const QString& directory) = 0;
    virtual QString saveMapFile(const QString& directory, const QString& name) = 0;
    virtual QString gameDirectory(const QString& directory) = 0;
    // The new settings, or nothing when cancelled.
    virtual std::optional<MapSettings> mapSettings(const MapSettings& current, bool isNew) = 0;
    // "Door to...": the door for `start.mark` (its map empty to remove it), or nothing.
    virtual std::optional<Door> doorTo(const GameFolder& game, const Door& start) = 0;
};

// The real conversations, through Qt's message boxes and dialogs.
class QtTesselDialogs : public TesselDialogs {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }

    SaveAnswer askSaveChanges(const QString& mapName) override;
    void showMessage(const QString& text, bool warning) override;
    QString openMapFile(const QString& directory) override;
    QString saveMapFile(const QString& directory, const QString& name) override;
    QString gameDirectory(const QString& directory) override;
    std::optional<MapSettings> mapSettings(const MapSettings& current, bool isNew) override;
    std::optional<Door> doorTo(const GameFolder& game, const Door& start) override;

  private:
    QWidget* parent_ = nullptr;
};

}  // namespace tessel
