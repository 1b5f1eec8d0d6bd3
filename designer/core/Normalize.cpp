#include "designer/core/Normalize.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "designer/core/DesignUndo.h"
#include "designer/core/KyrelTexts.h"
#include "designer/core/Synthesis.h"
#include "designer/core/WavCommands.h"

namespace kyrel {

namespace {

// The largest sample of the render at 16 bits (the finest step, whatever the file's depth), or
// nothing when the render was cancelled.
std::optional<int> renderPeak(KyrelApp& app, SoundDesign& design) {
    prepareTracks(design);
    const DesignSettings& s = design.settings;
    const int channels = s.channelIndex + 1;
    const int rate = kSampleRates[static_cast<std::size_t>(s.rateIndex)];
    kit::Random random(app.renderSeed);
    RenderOutput out;
    const bool completed = app.ui.runRender([&](RenderProgress& progress) {
        return renderTracks(design.tracks, s, channels, rate, 16, random, progress, out);
    });
    if (!completed) return std::nullopt;
    int peak = 0;
    for (std::size_t at = 0; at + 1 < out.data.size(); at += 2) {
        const auto v = static_cast<std::int16_t>(out.data[at] | out.data[at + 1] << 8);
        peak = std::max(peak, std::abs(static_cast<int>(v)));
    }
    return peak;
}

// Multiplies the loudness of every used track by `factor`: the volume first, rounded down, and
// what the volume cannot carry above 127 through the Volume curve's levels.
void scaleTracks(SoundDesign& design, double factor) {
    for (std::size_t t = 0; t < kTrackCount; ++t) {
        if (design.settings.trackUse[t] != 1) continue;
        Track& track = design.tracks[t];
        const double wanted = track.volume * factor;
        const int volume = std::clamp(static_cast<int>(wanted), track.volume > 0 ? 1 : 0, 127);
        const double rest = wanted > 127.0 && volume > 0 ? wanted / volume : 1.0;
        track.volume = volume;
        if (rest <= 1.0) continue;
        for (std::int32_t& v : track.curve(CurveKind::Volume)) {
            const double level = std::min(65536.0, std::floor(levelOf(v) * rest));
            v = static_cast<std::int32_t>(std::clamp(32768.0 - level, -32768.0, 32767.0));
        }
    }
}

}  // namespace

bool commandNormalize(KyrelApp& app) {
    if (app.isPlaying()) return false;
    auto next = std::make_unique<SoundDesign>(app.design);
    if (prepareTracks(*next) == 0) {
        app.ui.showMessage(text::kNoEnabledTrack, text::kCaptionError, MessageButtons::Ok);
        return false;
    }
    if (std::string problem = renderSettingsProblem(next->settings); !problem.empty()) {
        app.ui.showMessage(problem, text::kCaptionError, MessageButtons::Ok);
        return false;
    }
    // The render is nearly proportional to the volumes; the rounding of the volumes and the
    // limits of the levels are met by measuring again.
    // A few rounds normally; a design whose levels stand at their limits ends below the aim.
    constexpr int kRounds = 8;
    for (int round = 0;; ++round) {
        const std::optional<int> peak = renderPeak(app, *next);
        if (!peak) return false;
        if (*peak == 0) {
            app.ui.showMessage(text::kNothingToNormalize, text::kCaptionKyrel, MessageButtons::Ok);
            return false;
        }
        const bool close = *peak > kNormalizedPeak * 0.98;
        if (*peak <= kNormalizedPeak && (close || round >= kRounds)) break;
        if (round >= 2 * kRounds) break;  // damaged waveform words that no volume tames
        // Aim a hair low, so that the rounding lands at or below the level.
        scaleTracks(*next, kNormalizedPeak * 0.999 / *peak);
    }
    pushDesignSnapshot(app.undo, app.design);
    copyDesignContent(*next, app.design);
    app.design.markChanged();
    app.ui.documentReplaced();
    app.ui.showStatus(text::kNormalized);
    return true;
}

}  // namespace kyrel
