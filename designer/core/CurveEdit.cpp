#include "designer/core/CurveEdit.h"

#include <algorithm>
#include <utility>

namespace kyrel {

void setColumn(Curve& curve, const PlotScale& scale, PlotPoint p) {
    if (p.x < 0 || p.x >= scale.width()) return;
    const std::int32_t value = scale.rowToValue(std::clamp(p.y, 0, scale.height() - 1));
    const auto span = scale.samplesUnderColumn(p.x);
    for (int i = span.first; i < span.end; ++i) curve[static_cast<std::size_t>(i)] = value;
}

void setSample(Curve& curve, int i, std::int32_t v) {
    if (i < 0 || i >= kCurvePoints) return;
    curve[static_cast<std::size_t>(i)] = std::clamp(v, -32767, 32767);
}

void rasterizeLine(Curve& curve, const PlotScale& scale, PlotPoint p1, PlotPoint p2) {
    int sA = scale.columnToSample(p1.x);
    int vA = scale.rowToValue(p1.y);
    int sB = scale.columnToSample(p2.x);
    int vB = scale.rowToValue(p2.y);
    if (vA > vB) {
        std::swap(sA, sB);
        std::swap(vA, vB);
    }
    int dx = sB - sA;
    const int dv = vB - vA;
    int step = 1;
    if (dx <= 0) {
        dx = -dx;
        step = -1;
    }
    // The error terms start at 4*d - d' (not the textbook 2*d - d'); stored curves depend on it.
    int s = sA;
    int v = vA;
    setSample(curve, s, v);
    if (dx > dv) {
        const int a = 4 * dv;
        const int b = 4 * dv - 4 * dx;
        int e = 4 * dv - dx;
        for (int n = 0; n < dx; ++n) {
            if (e >= 0) {
                v += 1;
                e += b;
            } else {
                e += a;
            }
            s += step;
            setSample(curve, s, v);
        }
    } else {
        const int a = 4 * dx;
        const int b = 4 * dx - 4 * dv;
        int e = 4 * dx - dv;
        for (int n = 0; n < dv; ++n) {
            if (e >= 0) {
                s += step;
                e += b;
            } else {
                e += a;
            }
            v += 1;
            setSample(curve, s, v);
        }
    }
}

}  // namespace kyrel
