#include "designer/ui/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

#include "designer/ui/CommandIds.h"

namespace kyrel {

namespace {

constexpr int kSize = 32;
const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 245);
const QColor kGreen(20, 150, 60);
const QColor kBlue(40, 90, 200);
const QColor kRed(200, 40, 40);
const QColor kPlot(0, 0, 48);
const QColor kCurveGreen(0, 220, 0);

QPen ink(const QColor& colour, qreal width = 2.0) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void page(QPainter& p) {
    QPainterPath path;
    path.moveTo(7, 3);
    path.lineTo(20, 3);
    path.lineTo(26, 9);
    path.lineTo(26, 29);
    path.lineTo(7, 29);
    path.closeSubpath();
    p.setPen(ink(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(20, 3), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(26, 9));
}

void folder(QPainter& p) {
    p.setPen(ink(kInk, 1.5));
    p.setBrush(QColor(235, 190, 80));
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(11, 8);
    back.lineTo(14, 11);
    back.lineTo(27, 11);
    back.lineTo(27, 26);
    back.lineTo(3, 26);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(250, 215, 120));
    QPainterPath front;
    front.moveTo(3, 26);
    front.lineTo(8, 15);
    front.lineTo(30, 15);
    front.lineTo(27, 26);
    front.closeSubpath();
    p.drawPath(front);
}

void disk(QPainter& p, const QRectF& r) {
    p.setPen(ink(kInk, 1.5));
    p.setBrush(kBlue);
    p.drawRoundedRect(r, 2, 2);
    p.setBrush(kPaper);
    const qreal w = r.width();
    p.drawRect(QRectF(r.left() + w * 0.2, r.top(), w * 0.6, r.height() * 0.38));
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(QRectF(r.left() + w * 0.25, r.top() + r.height() * 0.6, w * 0.5, r.height() * 0.4));
}

void arrow(QPainter& p, bool forward) {
    p.save();
    if (forward) {
        p.translate(kSize, 0);
        p.scale(-1, 1);
    }
    p.setPen(ink(kBlue, 3));
    p.setBrush(Qt::NoBrush);
    QPainterPath curve;
    curve.moveTo(9, 13);
    curve.cubicTo(16, 6, 28, 9, 26, 19);
    curve.cubicTo(25, 24, 20, 27, 15, 27);
    p.drawPath(curve);
    p.setBrush(kBlue);
    p.setPen(ink(kBlue, 1));
    const QPointF head[] = {{4, 14}, {13, 6}, {14, 17}};
    p.drawPolygon(head, 3);
    p.restore();
}

void sineWave(QPainter& p, const QRectF& r, const QColor& colour, qreal width = 2.0) {
    QPainterPath path;
    for (int i = 0; i <= 40; ++i) {
        const qreal t = i / 40.0;
        const QPointF point(r.left() + t * r.width(),
                            r.center().y() - std::sin(t * 2 * M_PI) * r.height() / 2);
        if (i == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    p.setPen(ink(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void plotBox(QPainter& p) {
    p.setPen(ink(kInk, 1));
    p.setBrush(kPlot);
    p.drawRect(QRectF(3, 5, 26, 22));
}

void playTriangle(QPainter& p, const QRectF& r) {
    p.setPen(ink(kGreen.darker(130), 1.5));
    p.setBrush(kGreen);
    const QPointF tri[] = {r.topLeft(), QPointF(r.right(), r.center().y()), r.bottomLeft()};
    p.drawPolygon(tri, 3);
}

void label(QPainter& p, const QRectF& r, const QString& text, const QColor& colour, int pixelSize) {
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

void slider(QPainter& p, qreal x, qreal knobY) {
    p.setPen(ink(kInk, 2));
    p.drawLine(QPointF(x, 4), QPointF(x, 28));
    p.setPen(ink(kInk, 1));
    p.setBrush(kBlue);
    p.drawRect(QRectF(x - 4, knobY - 2.5, 8, 5));
}

void draw(QPainter& p, int id) {
    switch (id) {
        case kCmdNew:
            page(p);
            p.setPen(ink(kGreen, 2.5));
            p.drawLine(QPointF(12, 19), QPointF(21, 19));
            p.drawLine(QPointF(16.5, 14.5), QPointF(16.5, 23.5));
            break;
        case kCmdOpen:
            folder(p);
            break;
        case kCmdSave:
            disk(p, QRectF(5, 5, 22, 22));
            break;
        case kCmdUndo:
            arrow(p, false);
            break;
        case kCmdRedo:
            arrow(p, true);
            break;
        case kCmdToolSelect:
            plotBox(p);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 90, 255, 200));
            p.drawRect(QRectF(11, 6, 10, 20));
            sineWave(p, QRectF(4, 9, 24, 14), kCurveGreen, 1.5);
            break;
        case kCmdToolFreehand: {
            plotBox(p);
            QPainterPath squiggle;
            squiggle.moveTo(5, 20);
            squiggle.cubicTo(9, 8, 13, 26, 17, 14);
            squiggle.cubicTo(20, 6, 24, 22, 27, 12);
            p.setPen(ink(kCurveGreen, 2));
            p.setBrush(Qt::NoBrush);
            p.drawPath(squiggle);
            break;
        }
        case kCmdToolLine:
            plotBox(p);
            p.setPen(ink(kCurveGreen, 2));
            p.drawLine(QPointF(6, 23), QPointF(26, 9));
            p.setBrush(kCurveGreen);
            p.drawEllipse(QPointF(6, 23), 2, 2);
            p.drawEllipse(QPointF(26, 9), 2, 2);
            break;
        case kCmdGenerator:
            plotBox(p);
            sineWave(p, QRectF(5, 9, 22, 14), QColor(255, 220, 0), 2);
            label(p, QRectF(15, 18, 16, 12), QStringLiteral("~"), Qt::white, 12);
            break;
        case kCmdStop:
            p.setPen(ink(kRed.darker(130), 1.5));
            p.setBrush(kRed);
            p.drawRect(QRectF(8, 8, 16, 16));
            break;
        case kCmdPlay:
            playTriangle(p, QRectF(9, 6, 16, 20));
            break;
        case kCmdPlayEditedTrack:
            playTriangle(p, QRectF(4, 6, 15, 20));
            p.setPen(ink(kInk, 1));
            p.setBrush(kPaper);
            p.drawRoundedRect(QRectF(17, 15, 13, 14), 2, 2);
            label(p, QRectF(17, 15, 13, 14), QStringLiteral("1"), kInk, 11);
            break;
        case kCmdCreateWav:
            sineWave(p, QRectF(3, 4, 26, 12), kBlue, 2);
            disk(p, QRectF(15, 15, 14, 14));
            label(p, QRectF(1, 17, 14, 12), QStringLiteral("W"), kInk, 11);
            break;
        case kCmdEffectSettings:
            slider(p, 8, 10);
            slider(p, 16, 20);
            slider(p, 24, 14);
            break;
        case kCmdWaveSettings:
            p.setPen(ink(kInk, 1.5));
            p.setBrush(kPaper);
            p.drawRoundedRect(QRectF(3, 5, 26, 22), 3, 3);
            label(p, QRectF(3, 5, 26, 11), QStringLiteral("kHz"), kBlue, 9);
            label(p, QRectF(3, 15, 26, 11), QStringLiteral("bit"), kRed, 9);
            break;
        default:
            if (id >= kCmdTrack1 && id < kCmdTrack1 + 6) {
                p.setPen(ink(kInk, 1.5));
                p.setBrush(kPaper);
                p.drawRoundedRect(QRectF(4, 4, 24, 24), 4, 4);
                label(p, QRectF(4, 4, 24, 24), QString::number(id - kCmdTrack1 + 1), kBlue, 18);
            }
            break;
    }
}

}  // namespace

QIcon commandIcon(int commandId) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, commandId);
    }
    return QIcon(pixmap);
}

}  // namespace kyrel
