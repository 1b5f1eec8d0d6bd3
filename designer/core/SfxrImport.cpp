#include "designer/core/SfxrImport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "designer/core/JsonFields.h"
#include "designer/core/Presets.h"
#include "designer/core/ProjectFile.h"

namespace kyrel {

namespace {

struct Setting {
    const char* sfxjName;  // under "properties"
    const char* jsfxrName;
    double SfxrSound::*member;
    double low;
    double high;
    double unused;  // the value at which the setting does nothing (for the dropped ones)
    bool droppedWhenUsed;
};

constexpr Setting kSettings[] = {
    {"baseFrequency", "p_base_freq", &SfxrSound::baseFrequency, 0, 1, 0, false},
    {"minFrequency", "p_freq_limit", &SfxrSound::minFrequency, 0, 1, 0, false},
    {"slide", "p_freq_ramp", &SfxrSound::slide, -1, 1, 0, false},
    {"deltaSlide", "p_freq_dramp", &SfxrSound::deltaSlide, -1, 1, 0, false},
    {"squareDuty", "p_duty", &SfxrSound::squareDuty, 0, 1, 0, false},
    {"dutySweep", "p_duty_ramp", &SfxrSound::dutySweep, -1, 1, 0, true},
    {"vibratoDepth", "p_vib_strength", &SfxrSound::vibratoDepth, 0, 1, 0, false},
    {"vibratoSpeed", "p_vib_speed", &SfxrSound::vibratoSpeed, 0, 1, 0, false},
    {"attackTime", "p_env_attack", &SfxrSound::attack, 0, 1, 0, false},
    {"sustainTime", "p_env_sustain", &SfxrSound::sustain, 0, 1, 0, false},
    {"sustainPunch", "p_env_punch", &SfxrSound::punch, 0, 1, 0, false},
    {"decayTime", "p_env_decay", &SfxrSound::decay, 0, 1, 0, false},
    {"changeAmount", "p_arp_mod", &SfxrSound::changeAmount, -1, 1, 0, false},
    {"changeSpeed", "p_arp_speed", &SfxrSound::changeSpeed, 0, 1, 0, false},
    {"repeatSpeed", "p_repeat_speed", &SfxrSound::repeatSpeed, 0, 1, 0, false},
    {"lpFilterCutoff", "p_lpf_freq", &SfxrSound::lpCutoff, 0, 1, 1, true},
    {"lpFilterCutoffSweep", "p_lpf_ramp", &SfxrSound::lpSweep, -1, 1, 0, true},
    {"lpFilterResonance", "p_lpf_resonance", &SfxrSound::lpResonance, 0, 1, 0, true},
    {"hpFilterCutoff", "p_hpf_freq", &SfxrSound::hpCutoff, 0, 1, 0, true},
    {"hpFilterCutoffSweep", "p_hpf_ramp", &SfxrSound::hpSweep, -1, 1, 0, true},
    {"phaserOffset", "p_pha_offset", &SfxrSound::phaserOffset, -1, 1, 0, true},
    {"phaserSweep", "p_pha_ramp", &SfxrSound::phaserSweep, -1, 1, 0, true},
    {"volume", "sound_vol", &SfxrSound::volume, 0, 1, 0, false},
};

constexpr double kSfxrRate = 44100.0;
constexpr double kOversampling = 8.0;
// The longest sound the family makes: three envelope stages of 100000 samples each.
constexpr std::size_t kLongestSfxr = 300003;

// Kyrel's oscillator tops out at 2048 Hz: faster pitches go through more cycles per pass.
constexpr double kHighestOscillatorHz = 2000.0;

std::optional<double> field(const JsonFields& fields, const std::string& name) {
    const auto it = fields.find(name);
    if (it == fields.end()) return std::nullopt;
    return it->second;
}

// sfxr's own state for one sound, stepped a sample at a time (the pitch and the envelope; the
// waveform itself is Kyrel's to draw).
class Course {
  public:
    explicit Course(const SfxrSound& s) : s_(s) {
        resetPitch();
        const auto stage = [](double v) { return static_cast<int>(v * v * 100000.0); };
        envLength_ = {stage(s.attack), stage(s.sustain), stage(s.decay)};
        vibSpeed_ = std::pow(s.vibratoSpeed, 2.0) * 0.01;
        vibAmp_ = s.vibratoDepth * 0.5;
        repLimit_ = static_cast<int>(std::pow(1.0 - s.repeatSpeed, 2.0) * 20000 + 32);
        if (s.repeatSpeed == 0.0) repLimit_ = 0;
    }

    // One sample; false when the sound has ended.
    bool step(double& hz, double& gain) {
        if (++repTime_ >= repLimit_ && repLimit_ != 0) {
            repTime_ = 0;
            resetPitch();
        }
        if (++arpTime_ >= arpLimit_ && arpLimit_ != 0) {
            arpLimit_ = 0;
            period_ *= arpMod_;
        }
        slide_ += deltaSlide_;
        period_ *= slide_;
        if (period_ > maxPeriod_) {
            period_ = maxPeriod_;
            if (s_.minFrequency > 0.0) return false;
        }
        double rperiod = period_;
        if (vibAmp_ > 0.0) {
            vibPhase_ += vibSpeed_;
            rperiod = period_ * (1.0 + std::sin(vibPhase_) * vibAmp_);
        }
        // The period is whole oversampled samples, at least 8.
        const double period = std::max(std::trunc(std::min(rperiod, 1e9)), 8.0);
        hz = kSfxrRate * kOversampling / period;

        if (++envTime_ > envLength_[stage_]) {
            if (stage_ == 2) return false;
            envTime_ = 0;
            ++stage_;
        }
        const double t = envLength_[stage_] > 0 ? double(envTime_) / envLength_[stage_] : 1.0;
        gain = stage_ == 0 ? t : stage_ == 1 ? 1.0 + (1.0 - t) * 2.0 * s_.punch : 1.0 - t;
        return true;
    }

  private:
    void resetPitch() {
        period_ = 100.0 / (s_.baseFrequency * s_.baseFrequency + 0.001);
        maxPeriod_ = 100.0 / (s_.minFrequency * s_.minFrequency + 0.001);
        slide_ = 1.0 - std::pow(s_.slide, 3.0) * 0.01;
        deltaSlide_ = -std::pow(s_.deltaSlide, 3.0) * 0.000001;
        arpMod_ = s_.changeAmount >= 0.0 ? 1.0 - std::pow(s_.changeAmount, 2.0) * 0.9
                                         : 1.0 + std::pow(s_.changeAmount, 2.0) * 10.0;
        arpTime_ = 0;
        arpLimit_ = static_cast<int>(std::pow(1.0 - s_.changeSpeed, 2.0) * 20000 + 32);
        if (s_.changeSpeed == 1.0) arpLimit_ = 0;
    }

    const SfxrSound& s_;
    double period_ = 0, maxPeriod_ = 0, slide_ = 0, deltaSlide_ = 0, arpMod_ = 0;
    int arpTime_ = 0, arpLimit_ = 0, repTime_ = 0, repLimit_ = 0;
    double vibPhase_ = 0, vibSpeed_ = 0, vibAmp_ = 0;
    std::array<int, 3> envLength_{};
    int envTime_ = 0;
    int stage_ = 0;
};

// One sample of the waveform at position fp (0 ... 1) of its cycle, as the family draws it.
double waveSample(const SfxrSound& s, double fp, double noise) {
    switch (s.wave) {
        case SfxrSound::Square:
            return fp < 0.5 - s.squareDuty * 0.5 ? 0.5 : -0.5;
        case SfxrSound::Sawtooth:
            return 1.0 - fp * 2.0;
        case SfxrSound::Sine:
            return std::sin(fp * 2.0 * std::numbers::pi);
        case SfxrSound::Triangle:
            return fp < 0.5 ? -1.0 + 4.0 * fp : 3.0 - 4.0 * fp;
        default:
            return noise;
    }
}

// The Waveform curve: `cycles` cycles of the shape; noise holds 32 random values a cycle, as
// the family's noise does.
void drawWaveform(const SfxrSound& s, int cycles, Curve& wave) {
    std::uint32_t state = 12345;
    std::array<double, 32> noise{};
    int lastCycle = -1;
    for (int i = 0; i < kCurvePoints; ++i) {
        const double position = double(i) * cycles / kCurvePoints;
        const int cycle = static_cast<int>(position);
        if (cycle != lastCycle) {
            lastCycle = cycle;
            for (double& v : noise) {
                state = state * 1103515245u + 12345u;
                v = double(state >> 8 & 0xFFFF) / 32768.0 - 1.0;
            }
        }
        const double fp = position - cycle;
        const double v = waveSample(s, fp, noise[static_cast<std::size_t>(fp * 32) % 32]);
        wave[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(std::lround(v * 32767.0));
    }
}

template <class T, class U>
T nearestOf(const U& table, double value) {
    T best = 0;
    for (std::size_t i = 1; i < table.size(); ++i)
        if (std::abs(table[i] - value) < std::abs(table[static_cast<std::size_t>(best)] - value))
            best = static_cast<T>(i);
    return best;
}

}  // namespace

std::optional<SfxrSound> readSfxrSound(std::span<const std::uint8_t> bytes) {
    const std::optional<JsonFields> fields = readJsonFields(bytes);
    if (!fields) return std::nullopt;
    SfxrSound sound;
    sound.sfxj = fields->count("version") != 0;
    const std::string prefix = sound.sfxj ? "properties." : "";
    bool any = false;
    for (const Setting& setting : kSettings) {
        const std::string name = prefix + (sound.sfxj ? setting.sfxjName : setting.jsfxrName);
        if (const auto v = field(*fields, name)) {
            sound.*setting.member = std::clamp(*v, setting.low, setting.high);
            any = true;
        }
    }
    const auto wave = field(*fields, sound.sfxj ? "properties.waveForm" : "wave_type");
    if (!any && !wave) return std::nullopt;
    if (wave) sound.wave = std::clamp(static_cast<int>(*wave), 0, sound.sfxj ? 4 : 3);
    if (!sound.sfxj) {
        if (const auto rate = field(*fields, "sample_rate"))
            sound.sampleRate = std::clamp(static_cast<int>(*rate), 1, 1000000);
        if (const auto bits = field(*fields, "sample_size")) sound.sampleBits = *bits <= 8 ? 8 : 16;
    }
    return sound;
}

SfxrCourse sfxrCourse(const SfxrSound& sound) {
    SfxrCourse course;
    Course state(sound);
    double hz = 0.0, gain = 0.0;
    while (course.hz.size() < kLongestSfxr && state.step(hz, gain)) {
        course.hz.push_back(hz);
        course.gain.push_back(gain);
    }
    return course;
}

std::vector<std::string> buildFromSfxr(const SfxrSound& sound, SoundDesign& design) {
    resetDesign(design);
    DesignSettings& s = design.settings;
    const SfxrCourse course = sfxrCourse(sound);
    const std::size_t samples = std::max<std::size_t>(course.hz.size(), 1);
    s.durationMs = std::clamp(static_cast<std::int32_t>(std::lround(samples * 1000.0 / kSfxrRate)),
                              1, kMaxDurationMs);
    s.rateIndex = nearestOf<std::int32_t>(kSampleRates, sound.sampleRate);
    s.bitsIndex = nearestOf<std::int32_t>(kBitDepths, sound.sampleBits);
    s.channelIndex = 0;
    s.frequencyMode = 0;

    const double highest =
        course.hz.empty() ? 1.0 : *std::max_element(course.hz.begin(), course.hz.end());
    int cycles = std::max(1, static_cast<int>(std::ceil(highest / kHighestOscillatorHz)));
    // Noise repeats once a pass: many cycles make the pass slow and the repeat unheard.
    if (sound.wave == SfxrSound::Noise) cycles = std::clamp(cycles * 16, 16, kCurvePoints / 32);
    Track& track = design.tracks[0];
    drawWaveform(sound, cycles, track.curve(CurveKind::Waveform));

    const double loudest = 1.0 + 2.0 * sound.punch;
    for (std::size_t i = 0; i < kCurvePoints; ++i) {
        // The sample in the middle of the stretch of the sound that point i covers.
        const auto at = std::min(
            static_cast<std::size_t>((i + 0.5) * double(samples) / kCurvePoints), samples - 1);
        const double hz = course.hz.empty() ? 0.0 : course.hz[at];
        const double gain = course.gain.empty() ? 0.0 : course.gain[at];
        track.curve(CurveKind::Frequency)[i] = frequencyValueFor(hz / cycles, 0);
        track.curve(CurveKind::Volume)[i] = static_cast<std::int32_t>(
            std::clamp(std::lround(32768.0 - gain / loudest * 65536.0), -32768L, 32767L));
        track.curve(CurveKind::Pan)[i] = 0;
    }
    // The family's middle volume (0.5) is Kyrel's usual track volume.
    track.volume = std::clamp(static_cast<int>(std::lround(sound.volume * 192.0)), 0, 127);
    track.edited = 1;

    std::vector<std::string> dropped;
    for (const Setting& setting : kSettings) {
        if (!setting.droppedWhenUsed || sound.*setting.member == setting.unused) continue;
        if (setting.member == &SfxrSound::dutySweep && sound.wave != SfxrSound::Square) continue;
        dropped.emplace_back(sound.sfxj ? setting.sfxjName : setting.jsfxrName);
    }
    return dropped;
}

}  // namespace kyrel
