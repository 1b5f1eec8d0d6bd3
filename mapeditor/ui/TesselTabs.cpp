// The maps opened, as tabs above the map view, one sheet of the model each. The current tab's map
// is the one edited; the others keep their changes and undo histories until their tab comes back.
#include <QFileInfo>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "mapeditor/ui/TesselWindow.h"

namespace tessel {

namespace {

QString absoluteMapPath(const MapDocument& document) {
    return document.mapFile.empty()
               ? QString()
               : QFileInfo(QString::fromStdString(document.mapFile.string())).absoluteFilePath();
}

}  // namespace

QWidget* TesselWindow::createTabbedView() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    tabs_ = new QTabBar(box);
    tabs_->setObjectName(QStringLiteral("mapTabs"));
    tabs_->setTabsClosable(true);
    tabs_->setExpanding(false);
    tabs_->setDocumentMode(true);
    // The map the window starts with.
    tabs_->setTabData(tabs_->addTab(QString()), model_.currentSheet());
    connect(tabs_, &QTabBar::currentChanged, this, &TesselWindow::switchToTab);
    connect(tabs_, &QTabBar::tabCloseRequested, this, &TesselWindow::closeTab);
    layout->addWidget(tabs_);
    layout->addWidget(scroll_);
    return box;
}

int TesselWindow::tabOfFile(const QString& path) const {
    for (int i = 0; i < tabs_->count(); ++i)
        if (const MapDocument* d = model_.sheetDocument(tabs_->tabData(i).toInt()))
            if (!path.isEmpty() && absoluteMapPath(*d) == path) return i;
    return -1;
}

void TesselWindow::showDocument(MapDocument document) {
    // An untitled map nobody has drawn on gives its tab to the map that comes.
    const bool blank = model_.document().mapFile.empty() && model_.undoStack().count() == 0;
    if (blank) {
        model_.setDocument(std::move(document));
    } else {
        const int sheet = model_.addSheet(std::move(document));
        const QSignalBlocker quiet(tabs_);
        const int index = tabs_->addTab(QString());
        tabs_->setTabData(index, sheet);
        tabs_->setCurrentIndex(index);
    }
    playCell_ = QPoint(-1, -1);
    refreshTitle();
}

void TesselWindow::switchToTab(int index) {
    if (index < 0 || !model_.showSheet(tabs_->tabData(index).toInt())) return;
    playCell_ = QPoint(-1, -1);
    // The tab's map may belong to another game than the one shown.
    const QString game = QString::fromStdString(model_.document().game.dir.string());
    if (!game.isEmpty() && QFileInfo(game).absoluteFilePath() != gameDir_) {
        gameDir_ = QFileInfo(game).absoluteFilePath();
        refreshMapList();
    }
    refreshTitle();
}

void TesselWindow::closeTab(int index) {
    // The edited map keeps its tab while it is the only one.
    if (index < 0 || tabs_->count() == 1) return;
    const int sheet = tabs_->tabData(index).toInt();
    // Its changes are asked about with the map in view.
    tabs_->setCurrentIndex(index);
    if (!maybeSave()) return;
    tabs_->setCurrentIndex(index == 0 ? 1 : index - 1);
    tabs_->removeTab(index);
    model_.removeSheet(sheet);
}

void TesselWindow::refreshTabs() {
    for (int i = 0; i < tabs_->count(); ++i) {
        const int sheet = tabs_->tabData(i).toInt();
        const MapDocument* document = model_.sheetDocument(sheet);
        const QUndoStack* undo = model_.sheetUndo(sheet);
        if (!document || !undo) continue;
        const QString name =
            document->mapFile.empty() ? tr("untitled") : QString::fromStdString(document->name());
        tabs_->setTabText(i, undo->isClean() ? name : name + QStringLiteral(" *"));
        tabs_->setTabToolTip(i, absoluteMapPath(*document));
    }
}

bool TesselWindow::closeAllTabs() {
    // One question for each map with changes, each shown while it is asked about.
    for (int i = 0; i < tabs_->count(); ++i) {
        const QUndoStack* undo = model_.sheetUndo(tabs_->tabData(i).toInt());
        if (!undo || undo->isClean()) continue;
        tabs_->setCurrentIndex(i);
        if (!maybeSave()) return false;
    }
    return true;
}

}  // namespace tessel
