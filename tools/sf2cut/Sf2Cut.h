#pragma once
#include "tools/sf2cut/MidiUsage.h"
#include "tools/sf2cut/Sf2File.h"

namespace sf2 {

// The part of `font` that plays what `usage` names exactly as the whole font does: the presets of
// the used programs (in every bank, as a player falls back between banks), the drum kits' zones
// of the used notes, and only the instruments and samples those reach, samples' data included.
SoundFont cutSoundFont(const SoundFont& font, const MidiUsage& usage);

}  // namespace sf2
