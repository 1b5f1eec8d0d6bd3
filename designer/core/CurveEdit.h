#pragma once
#include <cstdint>

#include "designer/core/PlotScale.h"
#include "designer/core/SoundDesign.h"

namespace kyrel {

// The two ways the drawing tools write values into a curve.

// Sets every sample under column p.x to the value of row p.y (row clamped into the plot). The
// top row gives -32768, the one value outside -32767 ... +32767 a tool can store. Columns
// outside the plot, or without a sample under them, write nothing.
void setColumn(Curve& curve, const PlotScale& scale, PlotPoint p);

// Sets sample i to v clamped to -32767 ... +32767; indices outside the curve write nothing.
void setSample(Curve& curve, int i, std::int32_t v);

// Writes a straight line between two plot points as an integer walk in sample space, always
// towards larger values, one setSample per step. A steep line writes one sample many times and
// the last (largest) value stays.
void rasterizeLine(Curve& curve, const PlotScale& scale, PlotPoint p1, PlotPoint p2);

}  // namespace kyrel
