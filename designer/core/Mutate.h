#pragma once
#include "common/Random.h"
#include "designer/core/SoundDesign.h"

namespace kyrel {

// The most one mutation moves any curve point, and any spread or track volume. Small steps keep
// a design's character; many of them let it drift.
inline constexpr std::int32_t kMutationMaxPointStep = 2700;
inline constexpr std::int32_t kMutationMaxSettingStep = 2;

// Nudges every used track of `design` at random: its pitch by up to about 3 % (a little more at
// one end than the other), the two ends of its volume envelope by up to 4 %, one stretch of its
// waveform, its pan, its track volume and the spreads it already has (a spread of 0 stays 0,
// so a clean tone stays clean). The length, format and the tracks in use never change.
void mutateDesign(SoundDesign& design, kit::Random& random);

}  // namespace kyrel
