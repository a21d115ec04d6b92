// Nearest-neighbour stretching of a 3008 x 2000 poster onto full-screen frames,
// against a plain copy of a frame of the target size measured in the same run.

#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

namespace {

TBitmap Poster()
{
    TBitmap poster(3008, 2000, TPixelFormat::pf24bit);
    for (int y = 0; y < poster.Height(); ++y) {
        std::uint8_t* row = poster.ScanLine(y);
        for (int x = 0; x < poster.Width() * 3; ++x)
            row[x] = static_cast<std::uint8_t>(x * 7 + y * 13);
    }
    return poster;
}

const TBitmap& SharedPoster()
{
    static const TBitmap poster = Poster();
    return poster;
}

// Each iteration copies a frame of the target size, then stretches the poster onto
// a frame of that size; the time reported is the stretch's, and the counter
// "ratio_vs_copy" is total stretch time over total copy time.
void StretchPoster(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const TBitmap& poster = SharedPoster();
    TBitmap frame(width, height, TPixelFormat::pf32bit);
    TBitmap copySource(width, height, TPixelFormat::pf32bit);
    copySource.Fill(0x336699);
    TBitmap copyTarget(width, height, TPixelFormat::pf32bit);
    // The proportional placement: the poster scaled to the frame's height, centred.
    const int newWidth = static_cast<int>(static_cast<long long>(poster.Width()) * height / poster.Height());
    double copySeconds = 0;
    double stretchSeconds = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        copyTarget.Canvas().BitBlt(0, 0, width, height, copySource, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
        const auto t1 = std::chrono::steady_clock::now();
        frame.Canvas().StretchBlt((width - newWidth) / 2, 0, newWidth, height, poster, 0, 0, poster.Width(),
                                  poster.Height(), SRCCOPY);
        benchmark::ClobberMemory();
        const auto t2 = std::chrono::steady_clock::now();
        const double stretch = std::chrono::duration<double>(t2 - t1).count();
        copySeconds += std::chrono::duration<double>(t1 - t0).count();
        stretchSeconds += stretch;
        state.SetIterationTime(stretch);
    }
    state.counters["copy_ms"] = copySeconds * 1000.0 / static_cast<double>(state.iterations());
    state.counters["ratio_vs_copy"] = copySeconds > 0 ? stretchSeconds / copySeconds : 0.0;
}

} // namespace

BENCHMARK(StretchPoster)->Args({1920, 1080})->Args({3840, 2160})->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
