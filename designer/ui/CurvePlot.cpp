#include "designer/ui/CurvePlot.h"

namespace kyrel {

CurvePlot CurvePlot::forClient(int clientWidth, int clientHeight) {
    CurvePlot plot;
    plot.width_ = clientWidth - 2 * kMargin;
    plot.height_ = clientHeight - 2 * kMargin;
    if (!plot.empty()) {
        plot.samplesPerPixel_ = static_cast<double>(kCurvePoints) / plot.width_;
        plot.valuePerPixel_ = 65536.0 / plot.height_;
    }
    return plot;
}

int CurvePlot::curveRowAt(const Curve& curve, int x) const {
    int index = 0;
    if (x >= width_) {
        index = kCurvePoints - 1;
    } else if (x > 0) {
        index = columnToSample(x);
        if (index > kCurvePoints - 1) index = kCurvePoints - 1;
    }
    return valueToRow(curve[static_cast<std::size_t>(index)]);
}

}  // namespace kyrel
