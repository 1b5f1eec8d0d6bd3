#pragma once
#include <QString>
#include <optional>
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

// Frequencies are the pitch heard: the oscillator's rate times `cycles`, the cycles of the track's
// drawn waveform (waveformCycles), so that they agree with the zero crossings of the render.
CurveScale curveScale(CurveKind kind, const PlotScale& plot, const DesignSettings& settings,
                      int cycles = 1);

// A curve value in the unit of its kind: "512.0 Hz", "80.5 %", "L 100% R 62%", "+12345 (37.7 %)".
QString curveValueText(CurveKind kind, std::int32_t value, const DesignSettings& settings,
                       int cycles = 1);

// The status-bar readout for point `index` of a curve: the time, the point and its value; with
// `cursorValue`, also the value at the pointer's height (what a stroke would draw there).
QString curveReadout(CurveKind kind, int index, std::int32_t value, const DesignSettings& settings,
                     int cycles = 1, std::optional<std::int32_t> cursorValue = std::nullopt);

}  // namespace kyrel
