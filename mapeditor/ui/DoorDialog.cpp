#include "mapeditor/ui/DoorDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>

#include "mapeditor/core/MapDocument.h"
#include "mapeditor/core/MapPicture.h"
#include "mapeditor/ui/MapCanvas.h"
#include "tools/mapmake/DoorText.h"

namespace tessel {

DoorTarget::DoorTarget(QWidget* parent) : QWidget(parent) {}

void DoorTarget::setMap(const QImage& picture, int width, int height) {
    picture_ = picture;
    width_ = width;
    height_ = height;
    cell_.reset();
    resize(sizeHint());
    update();
}

void DoorTarget::setCell(int column, int row) {
    if (column >= 0 && row >= 0 && column < width_ && row < height_) cell_ = QPoint(column, row);
    update();
}

QPoint DoorTarget::centreOf(int column, int row) const {
    return QPoint(column * kCellPixels + kCellPixels / 2, row * kCellPixels + kCellPixels / 2);
}

QSize DoorTarget::sizeHint() const {
    return QSize(width_ * kCellPixels, height_ * kCellPixels);
}

void DoorTarget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(QRect(QPoint(0, 0), sizeHint()), picture_);
    if (!cell_) return;
    const QRect box(cell_->x() * kCellPixels, cell_->y() * kCellPixels, kCellPixels, kCellPixels);
    painter.setPen(QPen(Qt::yellow, 2));
    painter.drawRect(box.adjusted(-2, -2, 2, 2));
    painter.drawLine(box.topLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomLeft());
}

void DoorTarget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    setCell(at.x() / kCellPixels, at.y() / kCellPixels);
    if (cell_) Q_EMIT cellChosen();
}

// The facings as the door files name them, for the translation.
[[maybe_unused]] constexpr const char* kFacingTexts[] = {
    QT_TRANSLATE_NOOP("tessel::DoorDialog", "down"),
    QT_TRANSLATE_NOOP("tessel::DoorDialog", "left"),
    QT_TRANSLATE_NOOP("tessel::DoorDialog", "up"),
    QT_TRANSLATE_NOOP("tessel::DoorDialog", "right"),
};

DoorDialog::DoorDialog(const GameFolder& game, const Door& start, QWidget* parent)
    : QDialog(parent), game_(game), door_(start) {
    setWindowTitle(tr("Door of mark %1").arg(start.mark));
    maps_ = new QComboBox(this);
    maps_->setObjectName(QStringLiteral("doorMap"));
    for (const std::string& name : game.mapNames()) maps_->addItem(QString::fromStdString(name));
    facing_ = new QComboBox(this);
    facing_->setObjectName(QStringLiteral("doorFacing"));
    for (int f = 0; f < 4; ++f) facing_->addItem(tr(tools::facingName(f)));
    facing_->setCurrentIndex(start.facing);
    fade_ = new QSpinBox(this);
    fade_->setObjectName(QStringLiteral("doorFade"));
    fade_->setRange(0, 32);
    fade_->setValue(start.map.empty() ? 8 : start.fade);
    target_ = new DoorTarget(this);
    target_->setObjectName(QStringLiteral("doorTarget"));
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(target_);
    scroll->setMinimumSize(480, 320);
    arrival_ = new QLabel(this);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* remove = buttons_->addButton(tr("Remove door"), QDialogButtonBox::ResetRole);
    remove->setObjectName(QStringLiteral("removeDoor"));
    remove->setEnabled(!start.map.empty());

    auto* form = new QFormLayout(this);
    form->addRow(tr("To map:"), maps_);
    form->addRow(tr("Arrival (click the cell):"), scroll);
    form->addRow(QString(), arrival_);
    form->addRow(tr("Facing:"), facing_);
    form->addRow(tr("Fade (steps a frame, 0 cuts):"), fade_);
    form->addRow(buttons_);

    connect(maps_, &QComboBox::currentTextChanged, this, &DoorDialog::showMap);
    connect(target_, &DoorTarget::cellChosen, this, &DoorDialog::refresh);
    connect(buttons_, &QDialogButtonBox::accepted, this, [this] {
        door_.map = maps_->currentText().toStdString();
        door_.column = target_->cell()->x();
        door_.row = target_->cell()->y();
        door_.facing = facing_->currentIndex();
        door_.fade = fade_->value();
        accept();
    });
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(remove, &QPushButton::clicked, this, [this] {
        door_.map.clear();
        accept();
    });
    const int at = maps_->findText(QString::fromStdString(start.map));
    maps_->setCurrentIndex(at >= 0 ? at : 0);
    showMap(maps_->currentText());
    if (at >= 0) target_->setCell(start.column, start.row);
    refresh();
}

void DoorDialog::showMap(const QString& name) {
    const OpenResult opened = openMap(game_.mapPath(name.toStdString()), game_.dir);
    if (!opened.document) {
        target_->setMap(QImage(), 0, 0);
    } else {
        const TileMap& map = opened.document->map;
        target_->setMap(toQImage(renderMap(map, opened.document->sheet, 0b1011)), map.width,
                        map.height);
    }
    refresh();
}

void DoorDialog::refresh() {
    const auto cell = target_->cell();
    arrival_->setText(cell ? tr("column %1, row %2").arg(cell->x()).arg(cell->y())
                           : tr("no cell chosen"));
    // A door must name its map within the table's 31 bytes.
    buttons_->button(QDialogButtonBox::Ok)
        ->setEnabled(cell.has_value() && maps_->currentText().toUtf8().size() < 32);
}

}  // namespace tessel
