#include "designer/core/CurveUnits.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "designer/core/Presets.h"

namespace kyrel {

namespace {

double level(std::int32_t value) {
    return 32768.0 - static_cast<double>(value);
}

}  // namespace

double frequencyHz(std::int32_t value, std::int32_t frequencyMode) {
    const double l = level(value);
    return frequencyMode == 0 ? l * 0.03125 : l * l * (1.0 / 2097152.0);
}

double pointTimeMs(int index, std::int32_t durationMs) {
    return static_cast<double>(index) * durationMs / kCurvePoints;
}

double loudnessPercent(std::int32_t value) {
    return std::clamp(level(value), 0.0, 65536.0) / 65536.0 * 100.0;
}

PanBalance panBalance(std::int32_t value) {
    const double p = std::clamp(level(value) - 32768.0, -32768.0, 32768.0);
    if (p >= 0) return {100.0, (65536.0 - p) / 65536.0 * 100.0};
    return {(65536.0 + p) / 65536.0 * 100.0, 100.0};
}

double amplitudePercent(std::int32_t value) {
    return static_cast<double>(value) / 32767.0 * 100.0;
}

int waveformCycles(const Curve& waveform) {
    // Zeros keep the side the curve was on; the pass wraps round to its start.
    int side = 0;
    for (auto it = waveform.rbegin(); it != waveform.rend() && side == 0; ++it)
        side = (*it > 0) - (*it < 0);
    int rises = 0;
    for (std::int32_t v : waveform) {
        const int now = (v > 0) - (v < 0);
        if (now == 0) continue;
        rises += side < 0 && now > 0;
        side = now;
    }
    return std::max(rises, 1);
}

std::int32_t valueFromUnit(CurveKind kind, double number, std::int32_t frequencyMode, int cycles) {
    auto limited = [](double v) {
        return static_cast<std::int32_t>(std::clamp(std::round(v), -32768.0, 32767.0));
    };
    switch (kind) {
        case CurveKind::Frequency:
            return frequencyValueFor(number / std::max(cycles, 1), frequencyMode);
        case CurveKind::Volume:
            return limited(32768.0 - std::clamp(number, 0.0, 100.0) / 100.0 * 65536.0);
        case CurveKind::Pan:
            return limited(std::clamp(number, -100.0, 100.0) * 327.67);
        case CurveKind::Waveform:
            break;
    }
    return limited(std::clamp(number, -100.0, 100.0) * 327.67);
}

double unitFromValue(CurveKind kind, std::int32_t value, std::int32_t frequencyMode, int cycles) {
    switch (kind) {
        case CurveKind::Frequency:
            return frequencyHz(value, frequencyMode) * std::max(cycles, 1);
        case CurveKind::Volume:
            return loudnessPercent(value);
        case CurveKind::Pan:
        case CurveKind::Waveform:
            break;
    }
    return value / 327.67;
}

std::optional<double> parseUnitText(CurveKind kind, const std::string& text) {
    std::string s;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)) && c != '%') s += c;
    double sign = 1.0;
    if (kind == CurveKind::Pan && !s.empty()) {
        const char side = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
        if (side == 'C' && s.size() == 1) return 0.0;
        if (side == 'L' || side == 'R') {
            sign = side == 'L' ? -1.0 : 1.0;
            s.erase(0, 1);
        }
    }
    if (kind == CurveKind::Frequency && s.size() > 2 &&
        (s.ends_with("Hz") || s.ends_with("hz") || s.ends_with("HZ")))
        s.resize(s.size() - 2);
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !std::isfinite(v)) return std::nullopt;
    return sign * v;
}

}  // namespace kyrel
