#pragma once
#include <QMainWindow>
#include <functional>
#include <set>

#include "mapeditor/ui/EditorModel.h"

class QAction;
class QActionGroup;
class QLabel;
class QListWidget;
class QMenu;
class QScrollArea;
class QTabBar;

namespace tessel {

class MapCanvas;
class TesselDialogs;
class TilePalette;
class WorldView;

// Starts a program with arguments without waiting for it; false when it cannot be started.
using ProgramLauncher = std::function<bool(const QString& program, const QStringList& args)>;

// Tessel's main window: the map view in the middle, the palette, the layers and the game's maps
// in docks, the tools in a toolbar, the cell under the mouse in the status bar.
class TesselWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The size a new map starts with: a little more than one screen of the game.
    static constexpr int kNewMapWidth = 20, kNewMapHeight = 15;

    TesselWindow(TesselDialogs& dialogs, ProgramLauncher launcher, QWidget* parent = nullptr);

    // `tessel GAME-DIR` or `tessel MAP-FILE`; false (with a message) when it cannot be opened.
    // GAME-DIR is a built game or its source folder; it opens on the game's first map.
    bool openPath(const QString& path);
    bool openGameDirectory(const QString& dir);
    bool openMapFile(const QString& path);

    bool save();
    bool saveAs();
    bool saveTo(const QString& path);
    void play();
    // Asks whether to save the edited map's changes; false when the user cancels.
    bool maybeSave();

    EditorModel& model() { return model_; }
    MapCanvas* canvas() const { return canvas_; }
    TilePalette* palette() const { return palette_; }
    QString statusText() const;
    QStringList recentFiles() const;
    QAction* action(const QString& name) const;
    WorldView* world() const { return world_; }
    QTabBar* tabs() const { return tabs_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void createActions();
    void createMenus();
    void createViewMenus();
    void createDocks();
    void addToolAction(QActionGroup* group, const char* text, Tool tool, const QString& key);
    QAction* addAction(QMenu* menu, const QString& name, const QString& text,
                       const QKeySequence& key, std::function<void()> slot);
    void newMap();
    void mapSettings();
    void openDialog();
    void openDirectoryDialog();
    void rememberRecent(const QString& path);
    void refreshRecentMenu();
    void refreshMapList();
    void refreshTitle();
    void showCell(int column, int row);
    void createMarksDock();
    void createWorldDock();
    QWidget* createTabbedView();
    // The tab of the map file at the absolute `path`, or -1.
    int tabOfFile(const QString& path) const;
    // Edits `document` in a new tab, or in the current one while it holds an untouched new map.
    void showDocument(MapDocument document);
    void switchToTab(int index);
    // Closes a tab after asking about its changes (never the last one).
    void closeTab(int index);
    // Asks about the changes of every tab; false when the user cancels.
    bool closeAllTabs();
    // The tabs' names, changed maps marked.
    void refreshTabs();
    void openMapNamed(const QString& name);
    void refreshMarks();
    // "Door to...": for the mark of the selected cell (else the cell under the mouse), else the
    // mark brush while the marks layer is active.
    void doorAtCell();
    void editDoor(int mark);
    void restoreSettings();
    QString mapDirectory() const;

    TesselDialogs& dialogs_;
    ProgramLauncher launcher_;
    EditorModel model_;
    MapCanvas* canvas_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    TilePalette* palette_ = nullptr;
    QListWidget* layers_ = nullptr;
    QListWidget* maps_ = nullptr;
    WorldView* world_ = nullptr;
    QTabBar* tabs_ = nullptr;       // the maps opened, their sheet numbers as the tabs' data
    QListWidget* marks_ = nullptr;  // the map's marks: door, label, or flagged as neither
    QMenu* recentMenu_ = nullptr;
    QLabel* status_ = nullptr;
    std::set<int> eventLabels_;  // PLCn labels of the game's start script
    QString gameDir_;
    QPoint hoverCell_{-1, -1};
    QPoint playCell_{-1, -1};  // the last cell of the map under the mouse: where F9 starts
};

}  // namespace tessel
