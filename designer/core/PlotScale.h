#pragma once
#include <cstdint>

#include "designer/core/SoundDesign.h"

namespace kyrel {

// A point inside a curve view's plot: column x from the left, row y from the top.
struct PlotPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

// The mapping between a plot of plotWidth x plotHeight pixels and a curve: 2202 samples across
// the width, the values -32768 (top row) ... +32767 (bottom row) down the height. Every
// conversion truncates toward zero, so narrow plots skip samples and wide plots repeat them.
// The curve views and the editing logic share this one mapping.
class PlotScale {
  public:
    // No plot: nothing is drawn and no input is taken.
    PlotScale() = default;
    // A size of 0 or less in either direction gives an empty plot.
    PlotScale(int plotWidth, int plotHeight);

    bool empty() const { return width_ <= 0 || height_ <= 0; }

    int width() const { return width_; }
    int height() const { return height_; }
    double samplesPerPixel() const { return samplesPerPixel_; }
    double valuePerPixel() const { return valuePerPixel_; }

    int columnToSample(int x) const;
    int sampleToColumn(std::int32_t i) const;
    int valueToRow(std::int32_t v) const;
    std::int32_t rowToValue(int y) const;

    // The row of the curve at column x: the sample at columnToSample(x), the first sample left
    // of the plot and the last one right of it.
    int curveRowAt(const Curve& curve, int x) const;

    // The samples under column x: first ... end - 1 (none when first == end).
    struct SampleSpan {
        int first;
        int end;
    };
    SampleSpan samplesUnderColumn(int x) const;

    // A point relative to the plot's corner, clamped into the plot. While a line is dragged the
    // column may also equal the width, so that a line reaches the last samples.
    PlotPoint clampPoint(int x, int y, bool allowRightEdge) const;

  private:
    int width_ = 0;
    int height_ = 0;
    double samplesPerPixel_ = 0.0;
    double valuePerPixel_ = 0.0;
};

}  // namespace kyrel
