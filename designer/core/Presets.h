#pragma once
#include <array>
#include <optional>
#include <string_view>

#include "common/Random.h"
#include "designer/core/SoundDesign.h"

namespace kyrel {

// The categories of game sound a design can start from. Each builds a whole design (curves of
// one or more tracks, length, format, volumes and spreads) from random parameters drawn from the
// program's generator, so a seed repeats it.
enum class PresetKind { Coin, Laser, Explosion, Powerup, Hit, Jump, Blip, Random };

struct PresetName {
    PresetKind kind;
    std::string_view name;  // the command-line name
};

inline constexpr std::array<PresetName, 8> kPresetNames = {{
    {PresetKind::Coin, "coin"},
    {PresetKind::Laser, "laser"},
    {PresetKind::Explosion, "explosion"},
    {PresetKind::Powerup, "powerup"},
    {PresetKind::Hit, "hit"},
    {PresetKind::Jump, "jump"},
    {PresetKind::Blip, "blip"},
    {PresetKind::Random, "random"},
}};

std::optional<PresetKind> presetByName(std::string_view name);

// Fills `design` with a new design of `kind`: what New gives, with the preset's tracks, curves
// and settings written over it (44100 Hz, 16 bits). Sounds are what their names promise:
// coin a short tone stepping up, laser a falling sweep, jump a rising one, powerup a longer rise,
// hit a short noise burst falling in pitch, explosion noise with a loud attack and a long decay,
// blip a very short tone; random any mixture of tones and noise.
void buildPreset(PresetKind kind, kit::Random& random, SoundDesign& design);

// The Frequency curve value that makes a track's oscillator run at `hz` (one pass through the
// Waveform curve per cycle) under `frequencyMode` (0 linear, else square law).
std::int32_t frequencyValueFor(double hz, std::int32_t frequencyMode);

}  // namespace kyrel
