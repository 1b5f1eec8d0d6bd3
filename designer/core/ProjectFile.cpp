#include "designer/core/ProjectFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

namespace kyrel {

// The document is held exactly as the file stores it, so it is copied as raw bytes.
static_assert(std::endian::native == std::endian::little);

namespace {

// 6.283184 / 2202: one period of the waveform curve, as the default sine is drawn.
constexpr double kSineStep = 6.283184 / 2202;

bool within(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

// True when every word a render depends on lies where the windows can put it.
bool holdsPossibleValues(const SoundDesign& design) {
    const DesignSettings& s = design.settings;
    if (!within(s.durationMs, 1, kMaxDurationMs) ||
        !within(s.bitsIndex, 0, static_cast<std::int32_t>(kBitDepths.size()) - 1) ||
        !within(s.rateIndex, 0, static_cast<std::int32_t>(kSampleRates.size()) - 1) ||
        !within(s.channelIndex, 0, 1))
        return false;
    for (std::size_t t = 0; t < kTrackCount; ++t) {
        for (std::int32_t v : {design.tracks[t].volume, s.frequencySpread[t], s.volumeSpread[t],
                               s.waveformSpread[t]})
            if (!within(v, 0, 127)) return false;
    }
    return true;
}

}  // namespace

void resetDesign(SoundDesign& design) {
    std::memset(&design, 0, sizeof design);
    DesignSettings& s = design.settings;
    for (Track& track : design.tracks) {
        track.volume = kDefaultTrackVolume;
        track.reserved = kReservedTrackWord;
        Curve& wave = track.curve(CurveKind::Waveform);
        for (int i = 0; i < kCurvePoints; ++i)
            wave[static_cast<std::size_t>(i)] =
                static_cast<std::int32_t>(std::sin(i * kSineStep) * 32767);
    }
    s.trackUse[0] = 1;
    s.durationMs = 1000;
    s.bitsIndex = 0;
    s.rateIndex = 1;
    s.channelIndex = 0;
    s.tool = static_cast<std::int32_t>(Tool::Freehand);
    s.frequencyMode = 1;
    s.modified = 0;
    s.renderStale = 1;
    design.tracks[0].curve(CurveKind::Volume).fill(-20000);
}

std::vector<std::uint8_t> projectFileBytes(const SoundDesign& design) {
    std::vector<std::uint8_t> bytes(kProjectFileBytes);
    std::memcpy(bytes.data(), kProjectSignatureV1, kProjectHeaderBytes);
    std::memcpy(bytes.data() + kProjectHeaderBytes, &design, sizeof design);
    return bytes;
}

ProjectReadResult readProjectBytes(SoundDesign& design, std::span<const std::uint8_t> file) {
    if (file.size() < kProjectHeaderBytes || file[0] != 0x4B || file[1] != 0x59 || file[3] != 0)
        return ProjectReadResult::NotKyrelFile;
    const std::uint8_t version = file[2];
    if (version != '0' && version != '1' && version != '2')
        return ProjectReadResult::UnsupportedVersion;

    // Version '0' stored only the first 32 settings words; the others keep their values.
    const std::size_t settingsAt = kProjectHeaderBytes + kTracksBytes;
    const std::size_t settingsBytes = version == '0' ? kVersion0SettingsBytes : kSettingsBytes;
    // Longer files are read as far as the layout goes; a shorter one has lost its end.
    if (file.size() < settingsAt + settingsBytes) return ProjectReadResult::Damaged;

    auto read = std::make_unique<SoundDesign>(design);
    std::memcpy(read->tracks.data(), file.data() + kProjectHeaderBytes, kTracksBytes);
    std::memcpy(&read->settings, file.data() + settingsAt, settingsBytes);
    if (!holdsPossibleValues(*read)) return ProjectReadResult::Damaged;
    design = *read;
    return ProjectReadResult::Ok;
}

}  // namespace kyrel
