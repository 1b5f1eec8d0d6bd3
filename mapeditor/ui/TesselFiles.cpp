// The window's files: opening a game directory or a map, new maps, saving, the recent files and
// starting the game.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QSettings>

#include "common/GamePath.h"
#include "mapeditor/core/MapDoors.h"
#include "mapeditor/core/SoundDevice.h"
#include "mapeditor/ui/TesselDialogs.h"
#include "mapeditor/ui/TesselWindow.h"
#include "mapeditor/ui/WorldView.h"

namespace tessel {

namespace {

constexpr int kRecentFiles = 8;
const QString kRecentKey = QStringLiteral("recentFiles");

std::filesystem::path toPath(const QString& s) {
    return std::filesystem::path(s.toStdString());
}

QString fromPath(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

// A path the user gave: as written, else the same path with another letter case.
QString findPath(const QString& path) {
    return fromPath(kit::findPathIgnoringCase(toPath(path)));
}

}  // namespace

bool TesselWindow::openPath(const QString& given) {
    const QString path = findPath(given);
    if (QFileInfo(path).isDir()) return openGameDirectory(path);
    return openMapFile(path);
}

bool TesselWindow::openGameDirectory(const QString& dir) {
    if (!QFileInfo(dir).isDir()) {
        dialogs_.showMessage(tr("%1 is not a directory.").arg(dir), true);
        return false;
    }
    gameDir_ = QFileInfo(dir).absoluteFilePath();
    refreshMapList();
    const GameFolder game{toPath(gameDir_)};
    const std::string first = game.firstMap();
    if (first.empty()) {
        showDocument(tessel::newMap(toPath(gameDir_), 0, kNewMapWidth, kNewMapHeight));
        return true;
    }
    return openMapFile(fromPath(game.mapPath(first)));
}

bool TesselWindow::openMapFile(const QString& given) {
    const QString path = findPath(given);
    // A map open already is shown in its tab, with its changes.
    if (const int tab = tabOfFile(QFileInfo(path).absoluteFilePath()); tab >= 0) {
        tabs_->setCurrentIndex(tab);
        return true;
    }
    const std::filesystem::path file = toPath(path);
    OpenResult result = openMap(file, gameDirOfMap(file));
    if (!result.document) {
        dialogs_.showMessage(QString::fromStdString(result.message), true);
        return false;
    }
    gameDir_ = fromPath(result.document->game.dir);
    const std::string sheetProblem = result.document->sheetProblem;
    showDocument(std::move(*result.document));
    rememberRecent(QFileInfo(path).absoluteFilePath());
    refreshMapList();
    if (!result.message.empty()) dialogs_.showMessage(QString::fromStdString(result.message), true);
    if (!sheetProblem.empty()) dialogs_.showMessage(QString::fromStdString(sheetProblem), true);
    return true;
}

bool TesselWindow::maybeSave() {
    if (model_.undoStack().isClean()) return true;
    const QString name = model_.document().mapFile.empty()
                             ? tr("the new map")
                             : QString::fromStdString(model_.document().name());
    switch (dialogs_.askSaveChanges(name)) {
        case SaveAnswer::Save:
            return save();
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            return false;
    }
    return false;
}

bool TesselWindow::save() {
    // A new map, or one kept as text, gets its file name from the user.
    if (model_.document().mapFile.empty() || isMapText(model_.document().mapFile)) return saveAs();
    return saveTo(fromPath(model_.document().mapFile));
}

bool TesselWindow::saveAs() {
    const std::filesystem::path& file = model_.document().mapFile;
    const QString name =
        file.empty() ? QStringLiteral("new.qd") : QString::fromStdString(mapNameOf(file) + ".qd");
    const QString path = dialogs_.saveMapFile(mapDirectory(), name);
    return !path.isEmpty() && saveTo(path);
}

bool TesselWindow::saveTo(const QString& path) {
    if (const std::string e = saveMap(model_.document(), toPath(path)); !e.empty()) {
        dialogs_.showMessage(tr("The map was not saved: %1").arg(QString::fromStdString(e)), true);
        return false;
    }
    model_.undoStack().setClean();
    rememberRecent(QFileInfo(path).absoluteFilePath());
    refreshMapList();
    refreshTitle();
    if (const std::string note = textTwinNote(toPath(path)); !note.empty())
        dialogs_.showMessage(QString::fromStdString(note), false);
    return true;
}

void TesselWindow::play() {
    if (!save()) return;
    // A source folder is built and played by kit-game, a game directory by Dunmere itself.
    const bool source = GameFolder{toPath(gameDir_)}.isSource();
    const QString name = source ? QStringLiteral("kit-game") : QStringLiteral("dunmere");
    const QString local = QCoreApplication::applicationDirPath() + QStringLiteral("/") + name;
    const QString program = QFileInfo::exists(local) ? local : name;
    QStringList args = source ? QStringList{QStringLiteral("play"), gameDir_}
                              : QStringList{QStringLiteral("--game-dir"), gameDir_};
    // From the cell last under the mouse on this map; without one, from the title.
    if (model_.map().inside(playCell_.x(), playCell_.y()))
        args << QStringLiteral("--start-map") << QString::fromStdString(model_.document().name())
             << QStringLiteral("--at")
             << QStringLiteral("%1,%2").arg(playCell_.x()).arg(playCell_.y());
    if (!hasSoundDevice(SoundPlaces::ofThisMachine())) args << QStringLiteral("--mute");
    if (!launcher_(program, args))
        dialogs_.showMessage(tr("The game could not be started (%1).").arg(program), true);
}

void TesselWindow::newMap() {
    const MapSettings start{kNewMapWidth, kNewMapHeight, Anchor::TopLeft, model_.map().tileSet};
    const std::optional<MapSettings> chosen = dialogs_.mapSettings(start, true);
    if (!chosen) return;
    showDocument(tessel::newMap(toPath(gameDir_), chosen->tileSet, chosen->width, chosen->height));
}

void TesselWindow::mapSettings() {
    const TileMap& map = model_.map();
    const MapSettings current{map.width, map.height, Anchor::TopLeft, map.tileSet};
    const std::optional<MapSettings> chosen = dialogs_.mapSettings(current, false);
    if (!chosen) return;
    TileMap changed = map.width == chosen->width && map.height == chosen->height
                          ? map
                          : resized(map, chosen->width, chosen->height, chosen->anchor);
    changed.tileSet = chosen->tileSet;
    model_.replaceMap(changed, tr("Map settings"));
}

void TesselWindow::openDialog() {
    const QString path = dialogs_.openMapFile(mapDirectory());
    if (!path.isEmpty()) openMapFile(path);
}

void TesselWindow::openDirectoryDialog() {
    const QString dir = dialogs_.gameDirectory(gameDir_);
    if (!dir.isEmpty()) openGameDirectory(dir);
}

QString TesselWindow::mapDirectory() const {
    if (gameDir_.isEmpty()) return QString();
    return fromPath(kit::resolveGamePath(toPath(gameDir_), "Mt"));
}

QStringList TesselWindow::recentFiles() const {
    return QSettings().value(kRecentKey).toStringList();
}

void TesselWindow::rememberRecent(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFiles) files.removeLast();
    QSettings().setValue(kRecentKey, files);
    refreshRecentMenu();
}

void TesselWindow::refreshRecentMenu() {
    recentMenu_->clear();
    for (const QString& path : recentFiles())
        recentMenu_->addAction(path, this, [this, path] { openMapFile(path); });
    recentMenu_->setEnabled(!recentMenu_->isEmpty());
}

void TesselWindow::refreshMapList() {
    maps_->clear();
    eventLabels_ =
        gameDir_.isEmpty() ? std::set<int>{} : scriptEventLabels(GameFolder{toPath(gameDir_)});
    refreshMarks();
    if (gameDir_.isEmpty()) return;
    world_->setGame(GameFolder{toPath(gameDir_)});
    for (const std::string& name : GameFolder{toPath(gameDir_)}.mapNames())
        maps_->addItem(QString::fromStdString(name));
}

}  // namespace tessel
