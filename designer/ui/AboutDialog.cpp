#include "designer/ui/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace kyrel {

QIcon kyrelIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 40), 2));
    p.setBrush(QColor(0, 0, 48));
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 10, 10);
    QPainterPath wave;
    for (int i = 0; i <= 60; ++i) {
        const double t = i / 60.0;
        // A decaying tone, as a sound effect looks.
        const QPointF point(8 + t * 48, 32 - std::sin(t * 6 * M_PI) * 20 * (1 - t));
        if (i == 0) {
            wave.moveTo(point);
        } else {
            wave.lineTo(point);
        }
    }
    p.setPen(QPen(QColor(0, 255, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    return QIcon(pixmap);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Kyrelのバージョン情報"));
    auto* icon = new QLabel(this);
    icon->setPixmap(kyrelIcon().pixmap(48, 48));
    auto* version = new QLabel(QStringLiteral("Kyrel Version %1").arg(kVersion), this);
    version->setObjectName("version");
    auto* notice = new QLabel(tr("効果音デザイナー — 六つのトラックから効果音を作ります。") +
                                  QStringLiteral("\nCopyright (C) the Kyrel authors"),
                              this);
    auto* text = new QVBoxLayout;
    text->addWidget(version);
    text->addWidget(notice);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

}  // namespace kyrel
