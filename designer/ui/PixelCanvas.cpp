#include "designer/ui/PixelCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace kyrel::canvas {

namespace {

constexpr QRgb kColourBits = 0x00FFFFFFu;

QRgb* pixelAt(QImage& image, int x, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y)) + x;
}

bool inside(const QImage& image, int x, int y) {
    return x >= 0 && y >= 0 && x < image.width() && y < image.height();
}

// Walks the pixels of a line from `from` towards `to`, leaving out `to` itself.
template <typename Plot>
void walkLine(QPoint from, QPoint to, Plot plot) {
    int x = from.x();
    int y = from.y();
    const int dx = std::abs(to.x() - x);
    const int dy = -std::abs(to.y() - y);
    const int stepX = x < to.x() ? 1 : -1;
    const int stepY = y < to.y() ? 1 : -1;
    int error = dx + dy;
    while (x != to.x() || y != to.y()) {
        plot(x, y);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

}  // namespace

void fillRect(QImage& image, const QRect& rect, QRgb colour) {
    const QRect clipped = rect.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        std::fill_n(pixelAt(image, clipped.left(), y), clipped.width(), colour | 0xFF000000u);
    }
}

void setPixel(QImage& image, int x, int y, QRgb colour) {
    if (inside(image, x, y)) *pixelAt(image, x, y) = colour | 0xFF000000u;
}

void drawLine(QImage& image, QPoint from, QPoint to, QRgb colour) {
    walkLine(from, to, [&](int x, int y) { setPixel(image, x, y, colour); });
}

void xorRect(QImage& image, const QRect& rect, QRgb colour) {
    const QRect clipped = rect.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        QRgb* pixel = pixelAt(image, clipped.left(), y);
        for (int i = 0; i < clipped.width(); ++i) pixel[i] ^= colour & kColourBits;
    }
}

void xorLine(QImage& image, QPoint from, QPoint to, QRgb colour) {
    walkLine(from, to, [&](int x, int y) {
        if (inside(image, x, y)) *pixelAt(image, x, y) ^= colour & kColourBits;
    });
}

void copyRect(QImage& to, QPoint target, const QImage& from, const QRect& source) {
    QRect area = source.intersected(from.rect());
    const QPoint shift = target - source.topLeft();
    area = area.translated(shift).intersected(to.rect()).translated(-shift);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(from.constScanLine(y)) + area.left();
        std::copy_n(in, area.width(), pixelAt(to, area.left() + shift.x(), y + shift.y()));
    }
}

}  // namespace kyrel::canvas
