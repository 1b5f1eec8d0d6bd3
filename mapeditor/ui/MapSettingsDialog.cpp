#include "mapeditor/ui/MapSettingsDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QSpinBox>
#include <QToolButton>

namespace tessel {

namespace {

QSpinBox* spinBox(int low, int high, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

// Arrows pointing away from the anchor cell, as in the usual canvas-size dialogs.
const char* const kAnchorLabels[9] = {"↖", "↑", "↗", "←", "●", "→", "↙", "↓", "↘"};

}  // namespace

MapSettingsDialog::MapSettingsDialog(const MapSettings& current, bool isNew, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(isNew ? tr("New map") : tr("Map settings"));
    auto* form = new QFormLayout(this);
    width_ = spinBox(1, kMaxSide, current.width, this);
    height_ = spinBox(1, kMaxSide, current.height, this);
    tileSet_ = spinBox(0, 255, current.tileSet, this);
    form->addRow(tr("&Width (tiles)"), width_);
    form->addRow(tr("&Height (tiles)"), height_);
    auto* anchors = new QWidget(this);
    auto* grid = new QGridLayout(anchors);
    grid->setContentsMargins(0, 0, 0, 0);
    anchor_ = new QButtonGroup(this);
    for (int i = 0; i < 9; ++i) {
        auto* button = new QToolButton(anchors);
        button->setText(QString::fromUtf8(kAnchorLabels[i]));
        button->setCheckable(true);
        button->setChecked(i == static_cast<int>(current.anchor));
        anchor_->addButton(button, i);
        grid->addWidget(button, i / 3, i % 3);
    }
    // A new map has nothing to keep in place.
    if (isNew)
        anchors->hide();
    else
        form->addRow(tr("Keep the map at"), anchors);
    form->addRow(tr("&Tile set"), tileSet_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

MapSettings MapSettingsDialog::settings() const {
    return MapSettings{width_->value(), height_->value(),
                       static_cast<Anchor>(std::max(anchor_->checkedId(), 0)), tileSet_->value()};
}

}  // namespace tessel
