// The maps opened, as tabs above the map view. The current tab's map is the one edited; going
// to another tab opens its map, asking first to save changes as opening any map does.
#include <QFileInfo>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "mapeditor/ui/TesselWindow.h"

namespace tessel {

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
    connect(tabs_, &QTabBar::currentChanged, this, &TesselWindow::switchToTab);
    connect(tabs_, &QTabBar::tabCloseRequested, this, [this](int index) {
        // The edited map keeps its tab while it is the only one.
        if (index != tabs_->currentIndex() || tabs_->count() == 1) {
            if (index != tabs_->currentIndex()) tabs_->removeTab(index);
            return;
        }
        const int next = index == 0 ? 1 : index - 1;
        tabs_->setCurrentIndex(next);
        if (tabs_->currentIndex() == next) tabs_->removeTab(index);
    });
    layout->addWidget(tabs_);
    layout->addWidget(scroll_);
    return box;
}

void TesselWindow::showTab(const QString& path) {
    const QSignalBlocker quiet(tabs_);
    for (int i = 0; i < tabs_->count(); ++i)
        if (tabs_->tabData(i).toString() == path) {
            tabs_->setCurrentIndex(i);
            return;
        }
    const int index = tabs_->addTab(QFileInfo(path).completeBaseName());
    tabs_->setTabData(index, path);
    tabs_->setTabToolTip(index, path);
    tabs_->setCurrentIndex(index);
}

void TesselWindow::switchToTab(int index) {
    const QString path = tabs_->tabData(index).toString();
    const QString current =
        model_.document().mapFile.empty()
            ? QString()
            : QFileInfo(QString::fromStdString(model_.document().mapFile.string()))
                  .absoluteFilePath();
    if (index < 0 || path == current) return;
    if (!maybeSave() || !openMapFile(path)) {
        // Staying on the map edited: its tab comes back to the front.
        if (!current.isEmpty()) showTab(current);
    }
}

}  // namespace tessel
