#pragma once
#include "designer/core/KyrelApp.h"
#include "designer/core/WaveGenerator.h"

namespace kyrel {

// The waveform generator's OK after its fields were accepted: ticks the current track's use
// box, computes the waveform and, unless points had to be clamped and the user declines the
// warning, replaces the track's Waveform curve in one piece after one undo snapshot.
// True when the curve was written (the waveform window then rebuilds its plot).
bool applyGenerator(KyrelApp& app, const GeneratorSettings& settings);

}  // namespace kyrel
