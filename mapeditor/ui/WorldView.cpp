#include "mapeditor/ui/WorldView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "mapeditor/core/MapDocument.h"
#include "mapeditor/core/MapPicture.h"
#include "mapeditor/ui/MapCanvas.h"

namespace tessel {

namespace {

constexpr int kGap = 24, kCaption = 16;
constexpr unsigned kDrawnLayers = 0b1011;

}  // namespace

WorldView::WorldView(QWidget* parent) : QWidget(parent) {}

void WorldView::setGame(const GameFolder& game) {
    thumbs_.clear();
    arrows_.clear();
    const std::vector<std::string> names = game.mapNames();
    const int columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(names.size()))));
    const int pitch = kThumbSide + kGap;
    for (std::size_t i = 0; i < names.size(); ++i) {
        Thumb thumb;
        thumb.name = QString::fromStdString(names[i]);
        const int column = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
        const QPoint corner(kGap / 2 + column * pitch, kCaption + row * (pitch + kCaption));
        const OpenResult opened = openMap(game.mapPath(names[i]), game.dir);
        if (opened.document && opened.document->map.width > 0) {
            const TileMap& map = opened.document->map;
            thumb.scale =
                static_cast<double>(kThumbSide) / (kTilePixels * std::max(map.width, map.height));
            thumb.picture = toQImage(renderMap(map, opened.document->sheet, kDrawnLayers))
                                .scaled(static_cast<int>(map.width * kTilePixels * thumb.scale),
                                        static_cast<int>(map.height * kTilePixels * thumb.scale),
                                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            thumb.scale *= kTilePixels;
            thumb.doors = opened.document->doors.doors;
            for (int r = 0; r < map.height; ++r)
                for (int c = 0; c < map.width; ++c)
                    if (const int mark = map.at(2, c, r) & kMarkBits;
                        mark > 0 && FindDoor(thumb.doors, mark) &&
                        std::none_of(thumb.marks.begin(), thumb.marks.end(),
                                     [&](const auto& m) { return m.first == mark; }))
                        thumb.marks.emplace_back(mark, QPoint(c, r));
        }
        thumb.box = QRect(corner, thumb.picture.isNull() ? QSize(kThumbSide, kThumbSide / 2)
                                                         : thumb.picture.size());
        thumbs_.push_back(std::move(thumb));
    }
    for (const Thumb& from : thumbs_)
        for (const auto& [mark, cell] : from.marks) {
            const Door* door = FindDoor(from.doors, mark);
            const auto to = std::find_if(thumbs_.begin(), thumbs_.end(), [&](const Thumb& t) {
                return t.name.compare(QString::fromStdString(door->map), Qt::CaseInsensitive) == 0;
            });
            if (to == thumbs_.end()) continue;
            arrows_.push_back(Arrow{from.name, to->name, cellCentre(from, cell.x(), cell.y()),
                                    cellCentre(*to, door->column, door->row)});
        }
    const int rows = (static_cast<int>(names.size()) + columns - 1) / columns;
    size_ = QSize(columns * pitch, rows * (pitch + kCaption) + kCaption);
    resize(sizeHint());
    update();
}

QPointF WorldView::cellCentre(const Thumb& thumb, int column, int row) const {
    return QPointF(thumb.box.left() + (column + 0.5) * thumb.scale,
                   thumb.box.top() + (row + 0.5) * thumb.scale);
}

QStringList WorldView::mapNames() const {
    QStringList names;
    for (const Thumb& t : thumbs_) names << t.name;
    return names;
}

QRect WorldView::boxOf(const QString& name) const {
    for (const Thumb& t : thumbs_)
        if (t.name == name) return t.box;
    return {};
}

QSize WorldView::sizeHint() const {
    return size_;
}

void WorldView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().dark());
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Thumb& t : thumbs_) {
        painter.fillRect(t.box, Qt::black);
        painter.drawImage(t.box.topLeft(), t.picture);
        painter.setPen(palette().brightText().color());
        painter.drawText(QRect(t.box.left(), t.box.top() - kCaption, kThumbSide, kCaption),
                         Qt::AlignLeft | Qt::AlignVCenter, t.name);
    }
    painter.setPen(QPen(QColor(80, 220, 120), 2));
    for (const Arrow& a : arrows_) {
        painter.drawLine(a.start, a.end);
        // The head at the arrival cell.
        const QLineF back(a.end, a.start);
        if (back.length() < 1) continue;
        QLineF side = back.unitVector();
        side.setLength(8);
        for (double turn : {25.0, -25.0}) {
            QLineF wing = side;
            wing.setAngle(back.angle() + turn);
            painter.drawLine(wing);
        }
        painter.drawEllipse(a.start, 3, 3);
    }
}

void WorldView::mouseDoubleClickEvent(QMouseEvent* event) {
    for (const Thumb& t : thumbs_)
        if (t.box.contains(event->position().toPoint())) Q_EMIT mapActivated(t.name);
}

}  // namespace tessel
