#pragma once
#include "designer/core/KyrelApp.h"
#include "designer/core/WaveGenerator.h"

namespace kyrel {

// The waveform generator's OK after its fields were accepted: computes the waveform and, unless
// points had to be clamped and the user declines the warning, replaces the current track's
// Waveform curve in one piece after one undo snapshot and ticks the track's use box.
// True when the curve was written (the waveform window then rebuilds its plot).
bool applyGenerator(KyrelApp& app, const GeneratorSettings& settings);

}  // namespace kyrel
