#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace kyrel {

// The sound-effect document: six tracks of four curves plus one settings block, all signed
// 32-bit words. The layout is the project file's layout word for word, so a project is loaded
// and saved as one block of bytes; the static_asserts below pin every word.

inline constexpr int kTrackCount = 6;
inline constexpr int kCurvePoints = 2202;
inline constexpr int kCurveKindCount = 4;

enum class CurveKind : std::int32_t { Waveform = 0, Frequency = 1, Volume = 2, Pan = 3 };

enum class Tool : std::int32_t { Freehand = 0, Line = 1, Select = 2 };

// Curve values of the Frequency, Volume and Pan curves are read through the level 32768 - v:
// -32768 is the highest level (65536), 0 the middle (32768), +32767 the lowest (1).
inline constexpr std::int32_t levelOf(std::int32_t value) {
    return 32768 - value;
}

using Curve = std::array<std::int32_t, kCurvePoints>;

struct Track {
    std::int32_t renderEnabled;  // rewritten from trackUse right before every render
    std::int32_t startMs;        // rewritten as 0 before every render
    std::int32_t endMs;          // rewritten as durationMs before every render
    std::int32_t reserved;       // always written as 16; nothing reads it
    std::int32_t volume;         // 0 ... 127
    std::int32_t touched;        // set by the first edit press into this track
    std::int32_t edited;         // set by edits and the waveform generator; nothing reads it
    std::array<Curve, kCurveKindCount> curves;

    Curve& curve(CurveKind kind) { return curves[static_cast<std::size_t>(kind)]; }
    const Curve& curve(CurveKind kind) const { return curves[static_cast<std::size_t>(kind)]; }
};

inline constexpr std::int32_t kDefaultTrackVolume = 96;
inline constexpr std::int32_t kReservedTrackWord = 16;

struct DesignSettings {
    std::int32_t durationMs;    // 1 ... 30000 when set through the settings dialog
    std::int32_t channelIndex;  // 0 mono, 1 stereo
    std::int32_t bitsIndex;     // index into kBitDepths
    std::int32_t rateIndex;     // index into kSampleRates
    std::int32_t currentTrack;  // 0 ... 5
    std::int32_t tool;          // a Tool value
    std::array<std::int32_t, kTrackCount> trackUse;
    std::int32_t modified;  // 1 = unsaved changes
    std::array<std::int32_t, kTrackCount> directWaveform;
    std::int32_t frequencyMode;                             // 0 linear, anything else square law
    std::array<std::int32_t, kTrackCount> frequencySpread;  // 0 ... 127
    std::array<std::int32_t, kTrackCount> volumeSpread;     // 0 ... 127
    std::array<std::int32_t, kTrackCount> waveformSpread;   // 0 ... 127
    std::int32_t renderStale;              // 1 = the playback file must be rendered again
    std::array<std::int32_t, 121> unused;  // kept through load and save
};

struct SoundDesign {
    std::array<Track, kTrackCount> tracks;
    DesignSettings settings;

    // Every change of the document marks it unsaved and its playback file out of date.
    void markChanged() {
        settings.modified = 1;
        settings.renderStale = 1;
    }
};

inline constexpr std::array<std::int32_t, 2> kBitDepths = {8, 16};
inline constexpr std::array<std::int32_t, 3> kSampleRates = {11025, 22050, 44100};
inline constexpr std::int32_t kMaxDurationMs = 30000;

inline constexpr std::size_t kTrackWords = 8815;
inline constexpr std::size_t kSettingsWords = 160;
inline constexpr std::size_t kTrackBytes = kTrackWords * 4;
inline constexpr std::size_t kTracksBytes = kTrackBytes * kTrackCount;
inline constexpr std::size_t kSettingsBytes = kSettingsWords * 4;

static_assert(sizeof(std::int32_t) == 4);
static_assert(sizeof(Track) == kTrackBytes);
static_assert(offsetof(Track, volume) == 4 * 4);
static_assert(offsetof(Track, edited) == 6 * 4);
static_assert(offsetof(Track, curves) == 7 * 4);
static_assert(sizeof(DesignSettings) == kSettingsBytes);
static_assert(offsetof(DesignSettings, tool) == 5 * 4);
static_assert(offsetof(DesignSettings, trackUse) == 6 * 4);
static_assert(offsetof(DesignSettings, modified) == 12 * 4);
static_assert(offsetof(DesignSettings, directWaveform) == 13 * 4);
static_assert(offsetof(DesignSettings, frequencyMode) == 19 * 4);
static_assert(offsetof(DesignSettings, frequencySpread) == 20 * 4);
static_assert(offsetof(DesignSettings, volumeSpread) == 26 * 4);
static_assert(offsetof(DesignSettings, waveformSpread) == 32 * 4);
static_assert(offsetof(DesignSettings, renderStale) == 38 * 4);
static_assert(offsetof(DesignSettings, unused) == 39 * 4);
static_assert(offsetof(SoundDesign, settings) == kTracksBytes);
static_assert(sizeof(SoundDesign) == kTracksBytes + kSettingsBytes);

}  // namespace kyrel
