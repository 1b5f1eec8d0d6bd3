#include "mapeditor/ui/TesselWindow.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "common/qt/UiLanguage.h"
#include "mapeditor/core/ScreenFrame.h"
#include "mapeditor/ui/MapCanvas.h"
#include "mapeditor/ui/TesselDialogs.h"
#include "mapeditor/ui/TilePalette.h"

namespace tessel {

namespace {

const char* const kLayerNames[kLayerCount] = {
    QT_TRANSLATE_NOOP("tessel::TesselWindow", "Ground"),
    QT_TRANSLATE_NOOP("tessel::TesselWindow", "Upper"),
    QT_TRANSLATE_NOOP("tessel::TesselWindow", "Marks"),
    QT_TRANSLATE_NOOP("tessel::TesselWindow", "Overlay"),
};
constexpr int kDefaultWidth = 1200, kDefaultHeight = 760;  // the first start: map and palette

}  // namespace

TesselWindow::TesselWindow(TesselDialogs& dialogs, ProgramLauncher launcher, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), launcher_(std::move(launcher)) {
    canvas_ = new MapCanvas(model_, this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(canvas_);
    scroll_->setBackgroundRole(QPalette::Dark);
    setCentralWidget(createTabbedView());
    status_ = new QLabel(this);
    statusBar()->addWidget(status_, 1);
    createActions();
    createDocks();
    createMenus();
    connect(&model_.undoGroup(), &QUndoGroup::cleanChanged, this, &TesselWindow::refreshTitle);
    connect(canvas_, &MapCanvas::cellHovered, this, &TesselWindow::showCell);
    // An edit under the mouse shows at once in the status bar.
    for (auto signal : {&EditorModel::documentChanged, &EditorModel::doorsChanged})
        connect(&model_, signal, this, &TesselWindow::refreshMarks);
    for (auto signal : {&EditorModel::documentChanged, &EditorModel::attributesChanged})
        connect(&model_, signal, this, [this] { showCell(hoverCell_.x(), hoverCell_.y()); });
    model_.setDocument(tessel::newMap({}, 0, kNewMapWidth, kNewMapHeight));
    restoreSettings();
    refreshTitle();
}

QAction* TesselWindow::action(const QString& name) const {
    return findChild<QAction*>(name);
}

QAction* TesselWindow::addAction(QMenu* menu, const QString& name, const QString& text,
                                 const QKeySequence& key, std::function<void()> slot) {
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    a->setShortcut(key);
    if (slot) connect(a, &QAction::triggered, this, [slot] { slot(); });
    if (menu) menu->addAction(a);
    QMainWindow::addAction(a);  // shortcuts work while the menus are hidden
    return a;
}

void TesselWindow::addToolAction(QActionGroup* group, const char* text, Tool tool,
                                 const QString& key) {
    // The action's name stays English in every language ("toolPencil").
    QAction* a = addAction(nullptr, QStringLiteral("tool") + QLatin1String(text), tr(text),
                           QKeySequence(key), [this, tool] { model_.setTool(tool); });
    a->setCheckable(true);
    a->setChecked(tool == model_.tool());
    group->addAction(a);
}

void TesselWindow::createActions() {
    auto* tools = new QActionGroup(this);
    addToolAction(tools, QT_TR_NOOP("Pencil"), Tool::Pencil, QStringLiteral("P"));
    addToolAction(tools, QT_TR_NOOP("Rectangle"), Tool::Rectangle, QStringLiteral("R"));
    addToolAction(tools, QT_TR_NOOP("Fill"), Tool::Fill, QStringLiteral("F"));
    addToolAction(tools, QT_TR_NOOP("Eyedropper"), Tool::Eyedropper, QStringLiteral("I"));
    addToolAction(tools, QT_TR_NOOP("Eraser"), Tool::Eraser, QStringLiteral("E"));
    addToolAction(tools, QT_TR_NOOP("Select"), Tool::Select, QStringLiteral("S"));
    auto* bar = addToolBar(tr("Tools"));
    bar->setObjectName(QStringLiteral("toolsBar"));
    bar->addActions(tools->actions());
}

void TesselWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    addAction(file, "openGame", tr("Open &game directory..."), QKeySequence(tr("Ctrl+Shift+O")),
              [this] { openDirectoryDialog(); });
    addAction(file, "openMap", tr("&Open map..."), QKeySequence::Open, [this] { openDialog(); });
    addAction(file, "newMap", tr("&New map..."), QKeySequence::New, [this] { newMap(); });
    addAction(file, "save", tr("&Save"), QKeySequence::Save, [this] { save(); });
    addAction(file, "saveAs", tr("Save &as..."), QKeySequence::SaveAs, [this] { saveAs(); });
    recentMenu_ = file->addMenu(tr("&Recent files"));
    recentMenu_->setObjectName(QStringLiteral("recentFiles"));
    file->addSeparator();
    addAction(file, "play", tr("Save and &play"), QKeySequence(Qt::Key_F9), [this] { play(); });
    addAction(file, "quit", tr("&Quit"), QKeySequence::Quit, [this] { close(); });

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    // The undo group follows the map edited: each tab undoes its own changes.
    QAction* undo = model_.undoGroup().createUndoAction(this, tr("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = model_.undoGroup().createRedoAction(this, tr("&Redo"));
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redoKeys.contains(QKeySequence(tr("Ctrl+Y")))) redoKeys << QKeySequence(tr("Ctrl+Y"));
    redo->setShortcuts(redoKeys);
    edit->addActions({undo, redo});
    QMainWindow::addActions({undo, redo});
    edit->addSeparator();
    addAction(edit, "cut", tr("Cu&t"), QKeySequence::Cut, [this] { model_.cutSelection(); });
    addAction(edit, "copy", tr("&Copy"), QKeySequence::Copy, [this] { model_.copySelection(); });
    addAction(edit, "paste", tr("&Paste"), QKeySequence::Paste, [this] { model_.paste(); });
    addAction(edit, "delete", tr("&Delete"), QKeySequence::Delete,
              [this] { model_.deleteSelection(); });
    addAction(edit, "selectAll", tr("Select &all"), QKeySequence::SelectAll, [this] {
        model_.setSelection(TileRect{0, 0, model_.map().width, model_.map().height});
    });
    addAction(edit, "selectNone", tr("Select &none"), QKeySequence(Qt::Key_Escape),
              [this] { model_.setSelection(TileRect{}); });
    QAction* all = addAction(edit, "allLayers", tr("Selection takes all &layers"), {},
                             [this] { model_.setCopyAllLayers(action("allLayers")->isChecked()); });
    all->setCheckable(true);
    all->setChecked(model_.copyAllLayers());

    createViewMenus();
    refreshRecentMenu();
}

void TesselWindow::createViewMenus() {
    QMenu* view = menuBar()->addMenu(tr("&View"));
    addAction(view, "zoomIn", tr("Zoom &in"), QKeySequence(tr("Ctrl+=")), [this] {
        canvas_->setZoom(canvas_->zoom() + 1);
    })->setShortcuts({QKeySequence(tr("Ctrl+=")), QKeySequence::ZoomIn});
    addAction(view, "zoomOut", tr("Zoom &out"), QKeySequence::ZoomOut,
              [this] { canvas_->setZoom(canvas_->zoom() - 1); });
    const auto toggle = [&](const char* name, const QString& text, const QKeySequence& key, bool on,
                            std::function<void(bool)> set) {
        QAction* a = addAction(view, name, text, key, {});
        a->setCheckable(true);
        a->setChecked(on);
        connect(a, &QAction::toggled, this, [set](bool checked) { set(checked); });
    };
    toggle("grid", tr("&Grid"), QKeySequence(tr("Ctrl+G")), true,
           [this](bool on) { canvas_->setShowGrid(on); });
    toggle("blocking", tr("&Blocking tiles"), QKeySequence(tr("Ctrl+B")), false,
           [this](bool on) { canvas_->setShowBlocking(on); });
    toggle("screenFrame", tr("&Screen frame"), {}, true,
           [this](bool on) { canvas_->setShowScreenFrame(on); });
    view->addSeparator();
    kit::addLanguageMenu(*view);

    QMenu* layer = menuBar()->addMenu(tr("&Layer"));
    for (int i = 0; i < kLayerCount; ++i)
        addAction(layer, QStringLiteral("layer%1").arg(i), tr(kLayerNames[i]),
                  QKeySequence(QStringLiteral("Ctrl+%1").arg(i + 1)),
                  [this, i] { layers_->setCurrentRow(i); });

    QMenu* map = menuBar()->addMenu(tr("&Map"));
    addAction(map, "mapSettings", tr("Map &settings..."), QKeySequence(tr("Ctrl+M")),
              [this] { mapSettings(); });
    addAction(map, "doorTo", tr("&Door to..."), QKeySequence(tr("Ctrl+D")),
              [this] { doorAtCell(); });
}

void TesselWindow::createDocks() {
    auto* paletteBox = new QWidget(this);
    auto* paletteLayout = new QVBoxLayout(paletteBox);
    auto* blocks = new QCheckBox(tr("Click switches \"blocks\""), paletteBox);
    blocks->setObjectName(QStringLiteral("editBlocks"));
    palette_ = new TilePalette(model_, paletteBox);
    palette_->setMinimumSize(palette_->sizeHint());
    connect(blocks, &QCheckBox::toggled, palette_, &TilePalette::setEditBlocks);
    paletteLayout->addWidget(blocks);
    paletteLayout->addWidget(palette_);
    paletteLayout->addStretch();
    auto* paletteDock = new QDockWidget(tr("Palette"), this);
    paletteDock->setObjectName(QStringLiteral("paletteDock"));
    paletteDock->setWidget(paletteBox);
    addDockWidget(Qt::RightDockWidgetArea, paletteDock);

    layers_ = new QListWidget(this);
    for (int i = 0; i < kLayerCount; ++i) {
        auto* item = new QListWidgetItem(tr(kLayerNames[i]), layers_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    layers_->setCurrentRow(0);
    connect(layers_, &QListWidget::currentRowChanged, &model_, &EditorModel::setActiveLayer);
    connect(layers_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        model_.setLayerVisible(layers_->row(item), item->checkState() == Qt::Checked);
    });
    auto* layersDock = new QDockWidget(tr("Layers"), this);
    layersDock->setObjectName(QStringLiteral("layersDock"));
    layersDock->setWidget(layers_);
    addDockWidget(Qt::LeftDockWidgetArea, layersDock);

    maps_ = new QListWidget(this);
    connect(maps_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { openMapNamed(item->text()); });
    auto* mapsDock = new QDockWidget(tr("Maps"), this);
    mapsDock->setObjectName(QStringLiteral("mapsDock"));
    mapsDock->setWidget(maps_);
    addDockWidget(Qt::LeftDockWidgetArea, mapsDock);
    createMarksDock();
    createWorldDock();
}

QString TesselWindow::statusText() const {
    return status_->text();
}

void TesselWindow::showCell(int column, int row) {
    hoverCell_ = QPoint(column, row);
    const TileMap& map = model_.map();
    if (!map.inside(column, row)) {
        status_->clear();
        return;
    }
    playCell_ = hoverCell_;
    const int mark = map.at(2, column, row) & kMarkBits;
    const FieldPosition at = fieldPositionOf(column, row);
    const QString event = mark > 0 ? tr(" (PLC%1)").arg(mark - 1) : QString();
    QString text = tr("column %1, row %2 | ground %3, upper %4, marks %5%6, overlay %7")
                       .arg(column)
                       .arg(row)
                       .arg(map.at(0, column, row))
                       .arg(map.at(1, column, row))
                       .arg(mark)
                       .arg(event)
                       .arg(map.at(3, column, row));
    if (model_.document().attributes.blocks(map.at(0, column, row))) text += tr(", blocks");
    text += tr(" | f 5: P0 = %1, P1 = %2 | x %3, y %4").arg(column).arg(row).arg(at.x).arg(at.y);
    status_->setText(text);
}

void TesselWindow::refreshTitle() {
    const QString name = model_.document().mapFile.empty()
                             ? tr("untitled")
                             : QString::fromStdString(model_.document().name());
    setWindowTitle(tr("%1[*] - Tessel").arg(name));
    setWindowModified(!model_.undoStack().isClean());
    refreshTabs();
}

void TesselWindow::restoreSettings() {
    QSettings settings;
    if (!restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray()))
        resize(kDefaultWidth, kDefaultHeight);
    restoreState(settings.value(QStringLiteral("windowState")).toByteArray());
}

void TesselWindow::closeEvent(QCloseEvent* event) {
    if (!closeAllTabs()) {
        event->ignore();
        return;
    }
    QSettings settings;
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("windowState"), saveState());
    event->accept();
}

}  // namespace tessel
