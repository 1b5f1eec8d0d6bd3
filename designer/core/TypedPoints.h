#pragma once
#include <cstdint>

#include "designer/core/KyrelApp.h"

namespace kyrel {

// The points a typed value goes to: first ... last, both included.
struct PointSpan {
    int first = 0;
    int last = kCurvePoints - 1;
};

// Sets points span.first ... span.last of the current track's `kind` curve to `from`, or along a
// straight line from `from` at the first point to `to` at the last, as one undo step.
void commandSetPoints(KyrelApp& app, CurveKind kind, PointSpan span, std::int32_t from,
                      std::int32_t to);

// The span a typed value goes to: the selection when it is shown on this kind's curve and holds
// `point` (or any point, when none is given), else the one point, else the whole curve.
PointSpan typedValueSpan(const KyrelApp& app, CurveKind kind, int point = -1);

}  // namespace kyrel
