// The longest frame of a script that loops without a yield, for each way of spending the frame's
// work: the budget must stop it within a frame of about 0.1 s at most, whatever it does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include "bench/script/HostileGame.h"

namespace {

constexpr int kFrames = 12;  // enough for ten characters to be stopped one a frame

// The processor time of this thread: on a busy machine the wall time also counts the waits.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void WorstFrame(benchmark::State& state, const hostile::Loop& loop, bool fromCharacters) {
    double worst = 0, worstCpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        EngineHarness h;
        hostile::Start(h, loop, fromCharacters);
        state.ResumeTiming();
        for (int frame = 0; frame < kFrames; ++frame) {
            const auto start = std::chrono::steady_clock::now();
            const double startCpu = ThreadSeconds();
            h.RunFrames(1);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            worst = std::max(worst, took.count());
            worstCpu = std::max(worstCpu, ThreadSeconds() - startCpu);
        }
    }
    state.counters["worst_frame_s"] = worst;
    state.counters["worst_frame_cpu_s"] = worstCpu;
}

const bool registered = [] {
    for (const hostile::Loop& loop : hostile::Loops()) {
        benchmark::RegisterBenchmark((std::string("WorstFrame/global/") + loop.name).c_str(),
                                     WorstFrame, loop, false)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(2);
        if (loop.fromCharacters)
            benchmark::RegisterBenchmark(
                (std::string("WorstFrame/ten_characters/") + loop.name).c_str(), WorstFrame, loop,
                true)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(2);
    }
    return true;
}();

}  // namespace
