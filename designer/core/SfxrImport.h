#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "designer/core/SoundDesign.h"

namespace kyrel {

// The settings of a sound of the sfxr family, in that family's own units (0 ... 1, the slides
// and sweeps -1 ... 1), as sfxr-qt's .sfxj files and jsfxr's JSON hold them.
struct SfxrSound {
    enum Wave : int { Square = 0, Sawtooth = 1, Sine = 2, Noise = 3, Triangle = 4 };
    int wave = Square;
    double baseFrequency = 0.3, minFrequency = 0.0, slide = 0.0, deltaSlide = 0.0;
    double squareDuty = 0.0, dutySweep = 0.0;
    double vibratoDepth = 0.0, vibratoSpeed = 0.0;
    double attack = 0.0, sustain = 0.3, punch = 0.0, decay = 0.4;
    double changeAmount = 0.0, changeSpeed = 0.0, repeatSpeed = 0.0;
    double lpCutoff = 1.0, lpSweep = 0.0, lpResonance = 0.0, hpCutoff = 0.0, hpSweep = 0.0;
    double phaserOffset = 0.0, phaserSweep = 0.0;
    double volume = 0.5;
    int sampleRate = 44100;
    int sampleBits = 16;
    bool sfxj = false;  // read from sfxr-qt's names (else jsfxr's)
};

// Reads an sfxr-qt .sfxj file ({"version": 1, "properties": {...}}) or a jsfxr JSON sound
// ({"wave_type": ..., "p_base_freq": ...}). Settings the file leaves out keep sfxr's defaults;
// values are limited to their ranges. Nothing when the bytes are not such a sound.
std::optional<SfxrSound> readSfxrSound(std::span<const std::uint8_t> bytes);

// What the synthesis of the sfxr family makes of `sound` at 44100 Hz, one entry a sample: the
// pitch in Hz and the envelope's gain (0 ... 3 with punch), until the sound ends.
struct SfxrCourse {
    std::vector<double> hz;
    std::vector<double> gain;
};
SfxrCourse sfxrCourse(const SfxrSound& sound);

// Builds the design of `sound` on track 1: its waveform (shape and duty), the pitch with its
// slides, vibrato, arpeggio and repeats as the Frequency curve, the envelope as the Volume curve,
// its length and volume. Returns the names of the settings Kyrel cannot express that the sound
// uses (the filters, the phaser, the duty sweep), as the file names them.
std::vector<std::string> buildFromSfxr(const SfxrSound& sound, SoundDesign& design);

}  // namespace kyrel
