// Full-page drawing primitives against a plain copy of the page, the physical floor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"
#include "engine/platform/headless/HeadlessPlatform.h"

namespace {

constexpr std::size_t kPagePixels = static_cast<std::size_t>(kScreenWidth) * kPageHeight;

struct Bench {
    HeadlessPlatform platform;
    Engine engine{platform, "."};
    CDib page;

    Bench() {
        DisplayOpen(engine);
        std::mt19937 rng(7);
        page.Create(kScreenWidth, kPageHeight);
        for (int y = 0; y < kPageHeight; ++y)
            for (int x = 0; x < kScreenWidth; ++x) {
                page.At(x, y) = static_cast<std::uint16_t>(rng() & 0x7FFF);
                engine.Screen.At(x, kVisibleTop + y) = static_cast<std::uint16_t>(rng() & 0x7FFF);
            }
        for (int i = 0; i < 5000; ++i)
            page.At(static_cast<int>(rng() % 240), static_cast<int>(rng() % 210)) = 0;
    }
};

void SetPageCounters(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kPagePixels * 2));
}

void PageMemcpy(benchmark::State& state) {
    Bench b;
    for (auto _ : state) {
        std::memcpy(b.engine.Screen.Row(kVisibleTop), b.page.Row(0), kPagePixels * 2);
        benchmark::ClobberMemory();
    }
    SetPageCounters(state);
}
BENCHMARK(PageMemcpy);

void PageBltKeyed(benchmark::State& state) {
    Bench b;
    for (auto _ : state) {
        BltKeyed(b.engine, 0, kVisibleTop, b.page, 0, 0, kScreenWidth, kPageHeight);
        benchmark::ClobberMemory();
    }
    SetPageCounters(state);
}
BENCHMARK(PageBltKeyed);

void PageBltBlend16(benchmark::State& state) {
    Bench b;
    for (auto _ : state) {
        BltBlend(b.engine, 0, kVisibleTop, b.page, 0, 0, kScreenWidth, kPageHeight, 16);
        benchmark::ClobberMemory();
    }
    SetPageCounters(state);
}
BENCHMARK(PageBltBlend16);

void PageFadeScreen(benchmark::State& state) {
    Bench b;
    int level = 0;
    for (auto _ : state) {
        FadeScreen(b.engine, 20 + (level++ & 7));
        benchmark::ClobberMemory();
    }
    SetPageCounters(state);
}
BENCHMARK(PageFadeScreen);

void PageTintRect(benchmark::State& state) {
    Bench b;
    for (auto _ : state) {
        TintRect(b.engine, 0, kVisibleTop, kScreenWidth, kVisibleTop + kPageHeight, 26, 31);
        benchmark::ClobberMemory();
    }
    SetPageCounters(state);
}
BENCHMARK(PageTintRect);

void DrawStringJapaneseLine(benchmark::State& state) {
    Bench b;
    const std::string line = Sjis("勇者は東の洞窟で古い剣と青い盾を見つけた");  // 20 characters
    for (auto _ : state) {
        DrawString(b.engine, line, 12, 0, kVisibleTop + 100, 0xFFFFFF);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DrawStringJapaneseLine);

}  // namespace

BENCHMARK_MAIN();
