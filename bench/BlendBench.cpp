// The cross-fade blend on full-screen frames against a plain copy of the same frame,
// both measured in the same run. Goal: the blend takes at most twice the copy.

#include <chrono>
#include <cstdint>
#include <cstring>

#include <benchmark/benchmark.h>

#include "engine/QsvImgFree.h"
#include "gfx/Bitmap.h"

namespace {

TBitmap Frame(int width, int height, int seed)
{
    TBitmap frame(width, height, TPixelFormat::pf32bit);
    std::uint8_t* bits = frame.Bits();
    for (std::size_t i = 0; i < frame.ByteCount(); ++i)
        bits[i] = static_cast<std::uint8_t>(i * 7 + seed * (i >> 12));
    return frame;
}

// Each iteration copies the next frame into a frame of the same size, then blends the
// next frame into the work frame at a percentage of the fade; the time reported is the
// blend's, and "ratio_vs_copy" is total blend time over total copy time.
void BlendFrames(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const TBitmap current = Frame(width, height, 3);
    const TBitmap next = Frame(width, height, 11);
    TBitmap work(current);
    TBitmap copy(width, height, TPixelFormat::pf32bit);
    double copySeconds = 0;
    double blendSeconds = 0;
    int percent = 5;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        std::memcpy(copy.Bits(), next.Bits(), next.ByteCount());
        benchmark::ClobberMemory();
        const auto t1 = std::chrono::steady_clock::now();
        T_QsvImgFree::BlendFrames(work, next, percent);
        benchmark::ClobberMemory();
        const auto t2 = std::chrono::steady_clock::now();
        const double blend = std::chrono::duration<double>(t2 - t1).count();
        copySeconds += std::chrono::duration<double>(t1 - t0).count();
        blendSeconds += blend;
        state.SetIterationTime(blend);
        percent = percent >= 100 ? 5 : percent + 5;
    }
    state.counters["copy_ms"] = copySeconds * 1000.0 / static_cast<double>(state.iterations());
    state.counters["ratio_vs_copy"] = copySeconds > 0 ? blendSeconds / copySeconds : 0.0;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(next.ByteCount()));
}

} // namespace

BENCHMARK(BlendFrames)->Args({1920, 1080})->Args({3840, 2160})->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
