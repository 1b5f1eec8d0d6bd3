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

// Runs `draw` over the whole page each iteration and reports the page's bytes per second.
template <typename DrawPage>
void RunOnPage(benchmark::State& state, DrawPage draw) {
    Bench b;
    for (auto _ : state) {
        draw(b);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kPagePixels * 2));
}

void PageMemcpy(benchmark::State& state) {
    RunOnPage(state, [](Bench& b) {
        std::memcpy(b.engine.Screen.Row(kVisibleTop), b.page.Row(0), kPagePixels * 2);
    });
}
BENCHMARK(PageMemcpy);

void PageBltKeyed(benchmark::State& state) {
    RunOnPage(state, [](Bench& b) {
        BltKeyed(b.engine, 0, kVisibleTop, b.page, 0, 0, kScreenWidth, kPageHeight);
    });
}
BENCHMARK(PageBltKeyed);

void PageBltBlend16(benchmark::State& state) {
    RunOnPage(state, [](Bench& b) {
        BltBlend(b.engine, 0, kVisibleTop, b.page, 0, 0, kScreenWidth, kPageHeight, 16);
    });
}
BENCHMARK(PageBltBlend16);

void PageFadeScreen(benchmark::State& state) {
    RunOnPage(state, [level = 0](Bench& b) mutable { FadeScreen(b.engine, 20 + (level++ & 7)); });
}
BENCHMARK(PageFadeScreen);

void PageTintRect(benchmark::State& state) {
    RunOnPage(state, [](Bench& b) {
        TintRect(b.engine, 0, kVisibleTop, kScreenWidth, kVisibleTop + kPageHeight, 26, 31);
    });
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
