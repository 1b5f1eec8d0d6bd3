// Rendering speed of the synthesis against sox generating the same number of voice-samples.
// "voices" counts one sample of one track (or one sox channel): a 30 s, 44100 Hz render of six
// tracks is 7938000 voice-samples, and its real-time factor (x_realtime) is 30 s over the time
// taken.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "designer/core/ProjectFile.h"
#include "designer/core/Synthesis.h"

namespace {

constexpr int kRate = 44100;
constexpr int kSeconds = 30;
constexpr double kVoiceSamples = double(kRate) * kSeconds * kyrel::kTrackCount;

// Voice-samples per second, and the time of one voice-sample (s_per_voice, the figure to set
// against sox's).
void countVoices(benchmark::State& state) {
    const double voices = kVoiceSamples * double(state.iterations());
    state.counters["voices/s"] = benchmark::Counter(voices, benchmark::Counter::kIsRate);
    state.counters["s_per_voice"] =
        benchmark::Counter(voices, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Six used tracks with different pitches, loudness ramps and pans, 30 s, 16-bit stereo.
std::unique_ptr<kyrel::SoundDesign> sixTrackDesign(int spread) {
    auto design = std::make_unique<kyrel::SoundDesign>();
    kyrel::resetDesign(*design);
    kyrel::DesignSettings& s = design->settings;
    s.durationMs = kSeconds * 1000;
    s.bitsIndex = 1;
    s.channelIndex = 1;
    s.rateIndex = 2;
    for (int t = 0; t < kyrel::kTrackCount; ++t) {
        const auto i = static_cast<std::size_t>(t);
        kyrel::Track& track = design->tracks[i];
        s.trackUse[i] = 1;
        s.frequencySpread[i] = s.volumeSpread[i] = s.waveformSpread[i] = spread;
        track.renderEnabled = 1;
        track.endMs = s.durationMs;
        for (int p = 0; p < kyrel::kCurvePoints; ++p) {
            const auto pi = static_cast<std::size_t>(p);
            track.curve(kyrel::CurveKind::Frequency)[pi] = -4000 * t + p;
            track.curve(kyrel::CurveKind::Volume)[pi] = -20000 + 5 * p;
            track.curve(kyrel::CurveKind::Pan)[pi] = (t - 3) * 8000;
        }
    }
    return design;
}

void renderSixTracks(benchmark::State& state, int spread) {
    auto design = sixTrackDesign(spread);
    kit::Random random(1);
    kyrel::RenderProgress quiet;
    kyrel::RenderOutput out;
    for (auto _ : state) {
        bool done =
            kyrel::renderTracks(design->tracks, design->settings, 2, kRate, 16, random, quiet, out);
        benchmark::DoNotOptimize(done);
        benchmark::DoNotOptimize(out.data.data());
    }
    countVoices(state);
    state.counters["x_realtime"] =
        benchmark::Counter(kSeconds * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_RenderSixTracks30s(benchmark::State& state) {
    renderSixTracks(state, 0);
}
void BM_RenderSixTracks30sAllSpreads127(benchmark::State& state) {
    renderSixTracks(state, 127);
}

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The peer: sox synthesising six sine channels of 30 s at 44100 Hz into the null file, the
// same number of voice-samples. Timed by the CPU time sox used (process start included; it is
// small against the synthesis), so that both sides are measured on one core's CPU time.
void BM_SoxSynthSixVoices30s(benchmark::State& state) {
    const std::string command =
        "sox -q -n -r 44100 -b 16 -c 6 -n synth 30 sine 440 sine 550 sine 660 sine 770 "
        "sine 880 sine 990 2>/dev/null";
    for (auto _ : state) {
        const double before = childCpuSeconds();
        const int status = std::system(command.c_str());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("sox is not installed or failed");
            return;
        }
        state.SetIterationTime(childCpuSeconds() - before);
    }
    countVoices(state);
}

}  // namespace

// Measured in CPU time: the goal is speed on one core, whatever else the machine runs.
BENCHMARK(BM_RenderSixTracks30s)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderSixTracks30sAllSpreads127)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SoxSynthSixVoices30s)->Unit(benchmark::kMillisecond)->UseManualTime();

BENCHMARK_MAIN();
