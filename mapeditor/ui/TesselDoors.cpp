// The window's doors: the marks list, "Door to..." and the world view.
#include <QDockWidget>
#include <QListWidget>
#include <QScrollArea>

#include "mapeditor/core/MapDoors.h"
#include "mapeditor/ui/TesselDialogs.h"
#include "mapeditor/ui/TesselWindow.h"
#include "mapeditor/ui/WorldView.h"

namespace tessel {

void TesselWindow::createMarksDock() {
    marks_ = new QListWidget(this);
    marks_->setObjectName(QStringLiteral("marksList"));
    connect(marks_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { editDoor(item->data(Qt::UserRole).toInt()); });
    auto* dock = new QDockWidget(tr("Marks and doors"), this);
    dock->setObjectName(QStringLiteral("marksDock"));
    dock->setWidget(marks_);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
}

void TesselWindow::createWorldDock() {
    world_ = new WorldView(this);
    world_->setObjectName(QStringLiteral("worldView"));
    connect(world_, &WorldView::mapActivated, this, &TesselWindow::openMapNamed);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(world_);
    auto* dock = new QDockWidget(tr("World"), this);
    dock->setObjectName(QStringLiteral("worldDock"));
    dock->setWidget(scroll);
    // A tab beside the maps' list: the map view keeps its whole height.
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    if (auto* maps = findChild<QDockWidget*>(QStringLiteral("mapsDock")))
        tabifyDockWidget(maps, dock);
}

void TesselWindow::openMapNamed(const QString& name) {
    openMapFile(QString::fromStdString(
        GameFolder{gameDir_.toStdString()}.mapPath(name.toStdString()).string()));
}

void TesselWindow::refreshMarks() {
    if (!marks_) return;
    marks_->clear();
    for (const MarkUse& use : marksOf(model_.map(), model_.document().doors.doors, eventLabels_)) {
        QString text;
        if (use.door)
            text = tr("%1: door to %2, column %3, row %4")
                       .arg(use.mark)
                       .arg(QString::fromStdString(use.door->map))
                       .arg(use.door->column)
                       .arg(use.door->row);
        else if (use.hasLabel)
            text = tr("%1: PLC%2").arg(use.mark).arg(use.mark - 1);
        else
            text = tr("%1: no door and no PLC%2 in ev/START").arg(use.mark).arg(use.mark - 1);
        auto* item = new QListWidgetItem(text, marks_);
        item->setData(Qt::UserRole, use.mark);
        if (use.dangling()) item->setForeground(Qt::red);
    }
}

void TesselWindow::doorAtCell() {
    const TileRect& selection = model_.selection();
    const QPoint cell = selection.empty() ? playCell_ : QPoint(selection.column, selection.row);
    const TileMap& map = model_.map();
    int mark = map.inside(cell.x(), cell.y()) ? map.at(2, cell.x(), cell.y()) & kMarkBits : 0;
    if (mark == 0 && model_.activeLayer() == 2) mark = model_.brush().at(0, 0) & kMarkBits;
    if (mark == 0) {
        dialogs_.showMessage(tr("Select a marked cell, or choose a mark on the marks layer, to "
                                "give it a door."),
                             false);
        return;
    }
    editDoor(mark);
}

void TesselWindow::editDoor(int mark) {
    if (!model_.document().doors.problem.empty()) {
        dialogs_.showMessage(QString::fromStdString(model_.document().doors.problem), true);
        return;
    }
    const Door* current = FindDoor(model_.document().doors.doors, mark);
    Door start = current ? *current : Door{};
    start.mark = mark;
    if (const std::optional<Door> chosen =
            dialogs_.doorTo(GameFolder{gameDir_.toStdString()}, start))
        model_.setDoor(*chosen);
}

}  // namespace tessel
