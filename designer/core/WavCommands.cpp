#include "designer/core/WavCommands.h"

#include "designer/core/KyrelTexts.h"
#include "designer/core/PeakLevel.h"
#include "designer/core/Synthesis.h"
#include "designer/core/WavFile.h"

namespace kyrel {

namespace {

std::string settingValue(std::string_view label, std::int32_t value) {
    return std::string(label) + " = " + std::to_string(value);
}

bool inTable(std::int32_t index, std::size_t tableSize) {
    return index >= 0 && static_cast<std::size_t>(index) < tableSize;
}

}  // namespace

int prepareTracks(SoundDesign& design) {
    int enabled = 0;
    for (std::size_t t = 0; t < design.tracks.size(); ++t) {
        Track& track = design.tracks[t];
        track.renderEnabled = design.settings.trackUse[t] == 1 ? 1 : 0;
        track.startMs = 0;
        track.endMs = design.settings.durationMs;
        track.reserved = kReservedTrackWord;
        enabled += track.renderEnabled;
    }
    return enabled;
}

std::string renderSettingsProblem(const DesignSettings& s) {
    std::string what;
    if (s.durationMs < 1 || s.durationMs > kMaxDurationMs)
        what = settingValue(text::kLabelDuration, s.durationMs);
    else if (!inTable(s.bitsIndex, kBitDepths.size()))
        what = settingValue(text::kLabelBits, s.bitsIndex);
    else if (!inTable(s.rateIndex, kSampleRates.size()))
        what = settingValue(text::kLabelRate, s.rateIndex);
    else if (!inTable(s.channelIndex, 2))
        what = settingValue(text::kLabelChannels, s.channelIndex);
    return what.empty() ? what : formatMessage(text::kSettingOutOfRange, what);
}

std::optional<std::string> CreateWavFile(KyrelApp& app, const std::string& name,
                                         const std::string& prefix) {
    SoundDesign& design = app.design;
    if (prepareTracks(design) == 0) {
        app.ui.showMessage(text::kNoEnabledTrack, text::kCaptionError, MessageButtons::Ok);
        return std::nullopt;
    }
    // A damaged project can carry any word; refuse it here rather than allocate or index by it.
    if (std::string problem = renderSettingsProblem(design.settings); !problem.empty()) {
        app.ui.showMessage(problem, text::kCaptionError, MessageButtons::Ok);
        return std::nullopt;
    }
    const std::string path = prefix + wavOutputName(name);
    const DesignSettings& s = design.settings;
    const int channels = s.channelIndex + 1;
    const int rate = kSampleRates[static_cast<std::size_t>(s.rateIndex)];
    const int bits = kBitDepths[static_cast<std::size_t>(s.bitsIndex)];

    app.ui.setWaitCursor(true);
    app.ui.showStatus(text::kCreatingWav);
    RenderOutput output;
    kit::Random random(app.renderSeed);
    const bool completed = app.ui.runRender([&](RenderProgress& progress) {
        return renderTracks(design.tracks, design.settings, channels, rate, bits, random, progress,
                            output);
    });
    const bool written = completed && writeWav(app.ui, path, output.format, output.data);
    app.ui.setWaitCursor(false);
    // After every render the status says how loud it came out, so that clipping is seen.
    app.ui.showStatus(written ? std::string(text::kWavCreated) +
                                    peakStatus(measurePeak(output.data, bits))
                              : std::string());
    if (!written) return std::nullopt;
    return path;
}

void commandCreateWav(KyrelApp& app) {
    if (app.isPlaying()) return;
    FileDialogRequest request;
    request.save = true;
    request.defaultExtension = "wav";
    request.initialName = suggestedWavName(app.documentName);
    request.initialDirectory = app.projectDirectory;
    request.filter = text::kWavFilter;
    auto chosen = app.ui.askFileName(request);
    if (!chosen) return;
    CreateWavFile(app, *chosen, "");  // which shows the result and its peak
}

bool commandPlay(KyrelApp& app) {
    if (app.isPlaying()) return false;
    if (!app.playback.deviceReady()) {
        // Said once in a message, then each time in the status bar; Create WAV keeps working.
        if (!app.noDeviceReported)
            app.ui.showMessage(text::kNoSoundDevice, text::kCaptionKyrel, MessageButtons::Ok);
        app.noDeviceReported = true;
        app.ui.showStatus(text::kNoSoundDevice);
        return false;
    }
    DesignSettings& s = app.design.settings;
    if (s.renderStale != 0) {
        if (!CreateWavFile(app, app.tempWavPath, "")) return false;
        s.renderStale = 0;
    }
    PlaybackParams params;
    params.durationMs = s.durationMs;
    params.path = wavOutputName(app.tempWavPath);
    return app.playback.start(params);
}

bool commandPlayEditedTrack(KyrelApp& app) {
    if (app.isPlaying()) return false;
    DesignSettings& s = app.design.settings;
    const auto savedUse = s.trackUse;
    const bool trackValid = s.currentTrack >= 0 && s.currentTrack < kTrackCount;
    for (int t = 0; t < kTrackCount; ++t)
        s.trackUse[static_cast<std::size_t>(t)] = trackValid && t == s.currentTrack ? 1 : 0;
    s.renderStale = 1;
    const bool started = commandPlay(app);
    s.renderStale = 1;
    s.trackUse = savedUse;
    return started;
}

void commandStop(KyrelApp& app) {
    app.playback.requestStop();
}

}  // namespace kyrel
