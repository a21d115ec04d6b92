// One whole cross-fade step on a real X server (a private Xvfb) at 1920 x 1080: copy the
// current frame into the work frame, blend the next frame in, present the work frame on
// the window, as the worker does (without its sleep). Against a plain copy of the frame
// measured in the same run, and against presenting alone.

#include <chrono>
#include <cstdint>
#include <cstring>

#include <benchmark/benchmark.h>

#include "BenchXvfb.h"
#include "engine/QsvImgFree.h"
#include "gfx/Bitmap.h"

namespace {

TBitmap Frame(int width, int height, int seed)
{
    TBitmap frame(width, height, TPixelFormat::pf32bit);
    std::uint8_t* bits = frame.Bits();
    for (std::size_t i = 0; i < frame.ByteCount(); ++i)
        bits[i] = static_cast<std::uint8_t>(i * 5 + seed * (i >> 10));
    return frame;
}

TPixelView View(const TBitmap& frame)
{
    return TPixelView{frame.Bits(), frame.Width(), frame.Height(), frame.Stride(), true, 4};
}

void CrossFadeStep(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    TBenchXvfb server(width, height);
    std::unique_ptr<TDisplay> display = server.Name().empty() ? nullptr : OpenX11Display(server.Name().c_str());
    if (!display) {
        state.SkipWithError("Xvfb is not available");
        return;
    }
    TWindowParams params;
    params.Width = width;
    params.Height = height;
    params.Style = wsFullScreen;
    const TWindowId window = display->CreateWindow(params);
    display->ShowWindow(window, true);
    const TBitmap current = Frame(width, height, 3);
    const TBitmap next = Frame(width, height, 9);
    TBitmap work(width, height, TPixelFormat::pf32bit);
    TBitmap copy(width, height, TPixelFormat::pf32bit);
    const TWindowRect whole{0, 0, width, height};
    display->PresentBits(window, 0, 0, View(current), whole);  // the shared image is made once

    double copySeconds = 0;
    double presentSeconds = 0;
    double stepSeconds = 0;
    int percent = 5;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        std::memcpy(copy.Bits(), current.Bits(), current.ByteCount());
        benchmark::ClobberMemory();
        const auto t1 = std::chrono::steady_clock::now();
        display->PresentBits(window, 0, 0, View(copy), whole);
        const auto t2 = std::chrono::steady_clock::now();
        work.Assign(current);
        T_QsvImgFree::BlendFrames(work, next, percent);
        display->PresentBits(window, 0, 0, View(work), whole);
        const auto t3 = std::chrono::steady_clock::now();
        const double step = std::chrono::duration<double>(t3 - t2).count();
        copySeconds += std::chrono::duration<double>(t1 - t0).count();
        presentSeconds += std::chrono::duration<double>(t2 - t1).count();
        stepSeconds += step;
        state.SetIterationTime(step);
        percent = percent >= 100 ? 5 : percent + 5;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["copy_ms"] = copySeconds * 1000.0 / n;
    state.counters["present_ms"] = presentSeconds * 1000.0 / n;
    state.counters["ratio_vs_copy"] = copySeconds > 0 ? stepSeconds / copySeconds : 0.0;
    state.counters["ratio_vs_present"] = presentSeconds > 0 ? stepSeconds / presentSeconds : 0.0;
    display->DestroyWindow(window);
}

} // namespace

BENCHMARK(CrossFadeStep)->Args({1920, 1080})->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
