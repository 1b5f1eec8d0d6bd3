#include "designer/core/PlotScale.h"

#include <algorithm>
#include <limits>

namespace kyrel {

namespace {

// trunc toward zero into an int, saturating where a damaged value would not fit.
int truncToInt(double d) {
    if (!(d > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (!(d < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(d);
}

}  // namespace

PlotScale::PlotScale(int plotWidth, int plotHeight) {
    if (plotWidth <= 0 || plotHeight <= 0) return;
    width_ = plotWidth;
    height_ = plotHeight;
    samplesPerPixel_ = 2202.0 / width_;
    valuePerPixel_ = 65536.0 / height_;
}

int PlotScale::columnToSample(int x) const {
    return truncToInt(x * samplesPerPixel_);
}

int PlotScale::sampleToColumn(std::int32_t i) const {
    return truncToInt(i / samplesPerPixel_);
}

int PlotScale::valueToRow(std::int32_t v) const {
    return truncToInt((static_cast<double>(v) + 32768) / valuePerPixel_);
}

std::int32_t PlotScale::rowToValue(int y) const {
    return truncToInt(y * valuePerPixel_) - 32768;
}

int PlotScale::curveRowAt(const Curve& curve, int x) const {
    int sample = x < 0 ? 0 : x >= width_ ? kCurvePoints - 1 : columnToSample(x);
    sample = std::clamp(sample, 0, kCurvePoints - 1);
    return valueToRow(curve[static_cast<std::size_t>(sample)]);
}

PlotScale::SampleSpan PlotScale::samplesUnderColumn(int x) const {
    int first = std::clamp(columnToSample(x), 0, kCurvePoints);
    int end = std::clamp(columnToSample(x + 1), first, kCurvePoints);
    return {first, end};
}

PlotPoint PlotScale::clampPoint(int x, int y, bool allowRightEdge) const {
    return {std::clamp(x, 0, allowRightEdge ? width_ : width_ - 1), std::clamp(y, 0, height_ - 1)};
}

}  // namespace kyrel
