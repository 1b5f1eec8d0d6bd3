#include "designer/core/CurveUnits.h"

#include <algorithm>

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

}  // namespace kyrel
