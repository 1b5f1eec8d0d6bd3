#pragma once
#include <QString>
#include <utility>
#include <vector>

#include "designer/core/PlotScale.h"
#include "designer/core/SoundDesign.h"

namespace kyrel {

// The scale written in the margins of a curve plot, in the units of the curve's kind: above the
// plot the values at its top edge and at the horizontal quarter lines (Hz in the current pitch
// mode, percent of loudness, the stereo balance, the waveform's amplitude); below it the time
// (ms of the sound's length) or the point at the vertical quarter lines. The plot itself is
// drawn as before.
struct CurveScale {
    QString legend;
    std::vector<std::pair<int, QString>> marks;  // plot column and its text
};

CurveScale curveScale(CurveKind kind, const PlotScale& plot, const DesignSettings& settings);

// A curve value in the unit of its kind: "512.0 Hz", "80.5 %", "L 100% R 62%", "+12345 (37.7 %)".
QString curveValueText(CurveKind kind, std::int32_t value, const DesignSettings& settings);

// The status-bar readout for point `index` of a curve: the time, the point and its value.
QString curveReadout(CurveKind kind, int index, std::int32_t value, const DesignSettings& settings);

}  // namespace kyrel
