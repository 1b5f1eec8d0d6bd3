#include "designer/core/WaveGenerator.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "designer/core/EditTexts.h"

namespace kyrel {

namespace {

// One cycle spans 6.283184 over the 2202 points (close to, but not exactly, 2 pi), the same
// factor the default waveform of a new document uses.
constexpr double kPhaseStep = 6.283184 / 2202;

double noiseLevel(const GeneratorSettings& settings, kit::Random& random) {
    if (random.next() % 1000 >= settings.noiseChance) return 0.0;
    double level = 1.0;
    if (settings.randomSize == 1) level = (random.next() % 1000) / 1000.0;
    if (random.next() % 1000 < 500) level = -level;
    return level;
}

}  // namespace

GeneratedWaveform generateWaveform(const GeneratorSettings& settings, const Curve& current,
                                   kit::Random& random) {
    const int f = settings.cycles < 1 ? 1 : settings.cycles;
    const double a = std::trunc(settings.amplitude / 1000.0 * 32767.0);
    const int period = kCurvePoints / f;
    const int half = period / 2 < 1 ? 1 : period / 2;
    const double triangleSlope = 2 / ((2202.0 / f) / 2);
    const double sawSlope = 2 / (2202.0 / f);

    GeneratedWaveform out;
    for (int i = 0; i < kCurvePoints; ++i) {
        std::int64_t g = 0;
        switch (static_cast<WaveShape>(settings.shape)) {
            case WaveShape::Sine:
                g = static_cast<std::int64_t>(std::sin((i * f) * kPhaseStep) * a);
                break;
            case WaveShape::Square:
                g = static_cast<std::int64_t>((i % period) < half ? -a : a);
                break;
            case WaveShape::Triangle: {
                // The position inside the half period comes from i itself, not from i mod P:
                // with an odd period each later period starts a little further on.
                const double s = (i % period) < half ? 1 - (i % half) * triangleSlope
                                                     : -1 + (i % half) * triangleSlope;
                g = static_cast<std::int64_t>(a * s);
                break;
            }
            case WaveShape::Sawtooth:
                g = static_cast<std::int64_t>(a * (1 - (i % period) * sawSlope));
                break;
            case WaveShape::Noise:
                g = static_cast<std::int64_t>(a * noiseLevel(settings, random));
                break;
        }
        std::int64_t w = g;
        if (settings.addToCurrent == 1) w += current[static_cast<std::size_t>(i)];
        if (w > 32767) {
            w = 32767;
            ++out.clampedCount;
        } else if (w < -32767) {
            w = -32767;
            ++out.clampedCount;
        }
        out.points[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(w);
    }
    return out;
}

std::optional<std::int32_t> parseIntegerField(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<FieldRejection> checkGeneratorFields(const GeneratorFieldTexts& texts,
                                                   GeneratorSettings& accepted) {
    struct Check {
        GeneratorField field;
        std::string_view text;
        std::int32_t low;
        std::int32_t high;
        std::int32_t* target;
    };
    const Check checks[] = {
        {GeneratorField::Amplitude, texts.amplitude, 1, 1000, &accepted.amplitude},
        {GeneratorField::Cycles, texts.cycles, 1, 100, &accepted.cycles},
        {GeneratorField::NoiseChance, texts.noiseChance, 1, 1000, &accepted.noiseChance},
    };
    for (const Check& check : checks) {
        if (check.field == GeneratorField::NoiseChance && !texts.noiseShape) continue;
        auto value = parseIntegerField(check.text);
        if (!value) return FieldRejection{check.field, std::string(text::kEnterInteger)};
        if (*value < check.low || *value > check.high) {
            std::string message(text::kEnterIntegerInRange);
            message.replace(message.find("%1"), 2, std::to_string(check.low));
            message.replace(message.find("%2"), 2, std::to_string(check.high));
            return FieldRejection{check.field, message};
        }
        *check.target = *value;
    }
    return std::nullopt;
}

}  // namespace kyrel
