#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "designer/core/SoundDesign.h"

namespace kyrel {

// What a curve value means to the ear, in the units the curve windows show. The rules are the
// renderer's: a Frequency, Volume or Pan value v is read through the level L = 32768 - v.

// The oscillator frequency of a Frequency value: L / 32 Hz in the linear mode (0), L^2 / 2^21 Hz
// in the square law (any other mode). Both reach 2048 Hz at the top.
double frequencyHz(std::int32_t value, std::int32_t frequencyMode);

// The time at which point `index` of a Frequency, Volume or Pan curve starts to sound, in ms
// from the start of a sound `durationMs` long.
double pointTimeMs(int index, std::int32_t durationMs);

// The loudness of a Volume value in percent of full loudness (the track volume aside).
double loudnessPercent(std::int32_t value);

// How much of a track's sample each side gets at a Pan value, in percent: the near side all of
// it, the far side down to a half at either end.
struct PanBalance {
    double left;
    double right;
};
PanBalance panBalance(std::int32_t value);

// A Waveform value as a percentage of full scale (negative samples below 0).
double amplitudePercent(std::int32_t value);

// The cycles of a drawn waveform: how often it rises through zero in one pass (at least 1). The
// oscillator runs through the Waveform curve at the Frequency curve's rate, so the pitch heard,
// and the zero crossings of the render, are that rate times this count.
int waveformCycles(const Curve& waveform);

// The curve value of a number in the unit of `kind`: the pitch heard in Hz (for a waveform of
// `cycles` cycles), percent of loudness, the pan from -100 (left) to +100 (right), percent of
// the waveform's full scale. Values beyond the curve's range are limited to it.
std::int32_t valueFromUnit(CurveKind kind, double number, std::int32_t frequencyMode, int cycles);

// The inverse of valueFromUnit: a curve value as a number in the unit of `kind`.
double unitFromValue(CurveKind kind, std::int32_t value, std::int32_t frequencyMode, int cycles);

// A number typed in the unit of `kind`; the pan also takes "L40" and "R40" (and "C" for the
// middle). Nothing when the text is not a number.
std::optional<double> parseUnitText(CurveKind kind, const std::string& text);

}  // namespace kyrel
