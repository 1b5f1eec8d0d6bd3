#include <algorithm>

#include "designer/ui/CCurveView.h"
#include "designer/ui/CurveTools.h"
#include "designer/ui/PixelCanvas.h"

namespace kyrel {

void redrawPlotColumns(CCurveView& view, int first, int last) {
    const PlotScale& plot = view.plot();
    if (plot.empty() || view.bitmap().isNull()) return;
    const int w = plot.width();
    const int h = plot.height();
    first = std::max(first, 0);
    last = std::min(last, w - 1);
    if (first > last) return;

    // Draw the columns into a strip in the order of a full rebuild, shifted so that the strip's
    // column 0 is plot column `first`; lines are clipped pixel by pixel, so every pixel lands
    // where the full drawing puts it.
    QImage strip(last - first + 1, h, QImage::Format_RGB32);
    const QPoint shift(first, 0);
    auto line = [&](QPoint from, QPoint to, QRgb colour) {
        canvas::drawLine(strip, from - shift, to - shift, colour);
    };
    canvas::fillRect(strip, strip.rect(), plotcolour::kBackground);
    // Lines outside the strip are clipped away, pixel by pixel.
    drawGridLines(view.kind(), w, h, first - 1, last + 2, line);
    const Curve& curve = view.curve();
    for (int x = std::max(first - 1, 0); x <= std::min(last, w - 2); ++x) {
        line({x, plot.curveRowAt(curve, x)}, {x + 1, plot.curveRowAt(curve, x + 1)},
             plotcolour::kCurve);
    }
    canvas::copyRect(view.bitmap(), {first, 0}, strip, strip.rect());
}

}  // namespace kyrel
