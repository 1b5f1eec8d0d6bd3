#include "designer/core/TypedPoints.h"

#include <algorithm>
#include <cmath>

#include "designer/core/EditCommands.h"

namespace kyrel {

void commandSetPoints(KyrelApp& app, CurveKind kind, PointSpan span, std::int32_t from,
                      std::int32_t to) {
    const int first = std::clamp(std::min(span.first, span.last), 0, kCurvePoints - 1);
    const int last = std::clamp(std::max(span.first, span.last), 0, kCurvePoints - 1);
    pushCurrentUndoSnapshot(app, kind);
    Track& track = app.design.tracks[static_cast<std::size_t>(currentTrackIndex(app))];
    Curve& curve = track.curve(kind);
    for (int i = first; i <= last; ++i) {
        const double t = last > first ? double(i - first) / (last - first) : 0.0;
        curve[static_cast<std::size_t>(i)] =
            static_cast<std::int32_t>(std::lround(from + (double(to) - from) * t));
    }
    track.edited = 1;
    app.design.markChanged();
}

PointSpan typedValueSpan(const KyrelApp& app, CurveKind kind, int point) {
    const bool shown =
        app.selectionVisible == 1 && app.activeKind == static_cast<std::int32_t>(kind);
    const int first = std::min(app.selectionStart.x, app.selectionEnd.x);
    const int last = std::max(app.selectionStart.x, app.selectionEnd.x);
    if (shown && (point < 0 || (point >= first && point <= last))) return {first, last};
    if (point >= 0) return {point, point};
    return {};
}

}  // namespace kyrel
