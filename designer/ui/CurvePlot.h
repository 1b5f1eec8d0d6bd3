#pragma once
#include <cstdint>

#include "designer/core/SoundDesign.h"

namespace kyrel {

// The geometry of one curve plot between two resizes: how plot columns map to curve points and
// plot rows to curve values. Every conversion truncates toward zero. The full value range
// -32768 ... +32767 spans the plot height with -32768 on the top row, so a higher level (the
// renderer reads 32768 - value) is drawn higher up.
class CurvePlot {
  public:
    static constexpr int kMargin = 16;

    CurvePlot() = default;
    // The plot of a client area of the given size with 16-pixel margins on every side.
    static CurvePlot forClient(int clientWidth, int clientHeight);

    int width() const { return width_; }
    int height() const { return height_; }
    double samplesPerPixel() const { return samplesPerPixel_; }
    double valuePerPixel() const { return valuePerPixel_; }

    // A plot of no pixels in either direction has no scales: it is not drawn and takes no input.
    bool empty() const { return width_ <= 0 || height_ <= 0; }

    int columnToSample(int x) const { return static_cast<int>(x * samplesPerPixel_); }
    int sampleToColumn(int i) const { return static_cast<int>(i / samplesPerPixel_); }
    int valueToRow(std::int32_t v) const {
        return static_cast<int>((static_cast<double>(v) + 32768.0) / valuePerPixel_);
    }
    std::int32_t rowToValue(int y) const {
        return static_cast<std::int32_t>(y * valuePerPixel_) - 32768;
    }

    // The row at which column x shows the curve: the point under the column's first sample,
    // held at point 0 left of the plot and at the last point right of it.
    int curveRowAt(const Curve& curve, int x) const;

    // The points under column x: first ... end - 1 (none when first == end, which happens only
    // on plots wider than the curve).
    struct SampleSpan {
        int first;
        int end;
    };
    SampleSpan samplesUnder(int x) const { return {columnToSample(x), columnToSample(x + 1)}; }

  private:
    int width_ = 0;
    int height_ = 0;
    double samplesPerPixel_ = 0.0;
    double valuePerPixel_ = 0.0;
};

}  // namespace kyrel
