#pragma once
#include "designer/core/KyrelApp.h"

namespace kyrel {

// The level 音量を揃える aims at: -1 dBFS.
inline constexpr double kNormalizedPeak = 29203.0;  // 32767 * 10^(-1/20), rounded down

// 音量を揃える: scales the used tracks' volumes (and a track's Volume curve where its volume
// would pass 127) so that the render with the window's seed peaks at -1 dBFS, as one undo step of
// the whole design. False, after a message, when no track is used, a setting is out of range or
// the sound is silent; the design is then unchanged.
bool commandNormalize(KyrelApp& app);

}  // namespace kyrel
