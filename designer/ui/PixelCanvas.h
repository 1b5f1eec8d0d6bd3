#pragma once
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

namespace kyrel {

// Pixel drawing on a 32-bit image with the rules the curve plots are drawn by: lines leave out
// their end pixel (so a polyline draws each joint once), everything is clipped to the image, and
// bands and rubber bands are drawn by exclusive-or, so drawing the same figure twice removes it.
namespace canvas {

void fillRect(QImage& image, const QRect& rect, QRgb colour);
void setPixel(QImage& image, int x, int y, QRgb colour);
void drawLine(QImage& image, QPoint from, QPoint to, QRgb colour);

// Exclusive-or of the colour's red, green and blue into every pixel of the rectangle.
void xorRect(QImage& image, const QRect& rect, QRgb colour);
void xorLine(QImage& image, QPoint from, QPoint to, QRgb colour);

// Copies the rectangle `source` of `from` to `to` with its top-left corner at `target`.
void copyRect(QImage& to, QPoint target, const QImage& from, const QRect& source);

}  // namespace canvas

}  // namespace kyrel
