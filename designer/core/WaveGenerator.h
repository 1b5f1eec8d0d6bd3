#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/Random.h"
#include "designer/core/SoundDesign.h"

namespace kyrel {

enum class WaveShape : std::int32_t { Sine = 0, Square = 1, Triangle = 2, Sawtooth = 3, Noise = 4 };

// The generator's fields. The same record is the program's GeneratorMemory: the values last
// confirmed with OK, starting at these defaults, which Reset also brings back.
struct GeneratorSettings {
    std::int32_t amplitude = 1000;   // 1 ... 1000 thousandths of full scale
    std::int32_t cycles = 1;         // 1 ... 100 periods in the 2202 points
    std::int32_t noiseChance = 100;  // 1 ... 1000 thousandths: chance of a non-zero noise point
    std::int32_t shape = 0;          // a WaveShape
    std::int32_t addToCurrent = 0;   // 1 = add the shape to the present waveform
    std::int32_t randomSize = 1;     // 1 = noise points get a random size too
    friend bool operator==(const GeneratorSettings&, const GeneratorSettings&) = default;
};

using GeneratorMemory = GeneratorSettings;

struct GeneratedWaveform {
    Curve points{};
    int clampedCount = 0;  // points that fell outside -32767 ... +32767 and were clamped
};

// Computes the waveform of the settings (valid ranges assumed), added to `current` when
// addToCurrent is 1, then clamped. Noise draws come from `random` in point order.
GeneratedWaveform generateWaveform(const GeneratorSettings& settings, const Curve& current,
                                   kit::Random& random);

// The three number fields of the dialog in the order they are checked.
enum class GeneratorField { Amplitude, Cycles, NoiseChance };

struct FieldRejection {
    GeneratorField field;
    std::string message;  // Shift-JIS
};

// The texts of the three number fields as typed. Returns the first field that is not an
// integer or lies outside its range, with its message; nothing when all are accepted. The
// noise chance is checked only for the noise shape: otherwise its field is disabled, the user
// cannot mend it, and `accepted` keeps the noise chance it had.
struct GeneratorFieldTexts {
    std::string_view amplitude;
    std::string_view cycles;
    std::string_view noiseChance;
    bool noiseShape = true;
};
std::optional<FieldRejection> checkGeneratorFields(const GeneratorFieldTexts& texts,
                                                   GeneratorSettings& accepted);

// A field's text as an integer: optional spaces around an optional sign and decimal digits.
std::optional<std::int32_t> parseIntegerField(std::string_view text);

}  // namespace kyrel
