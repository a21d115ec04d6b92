// A change of poster at 1920 x 1080: AdvanceImage decodes (or finds kept) the two
// posters and composes both frames, proportional placement. Measured with the poster
// cache (its ceiling in the counters) and without it (every poster decoded anew),
// each against a plain copy of a frame measured in the same run.

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "engine/QsvImgFree.h"
#include "platform/memory/MemoryDisplay.h"

namespace {

// A settings store of its own, so that the user's settings do not count.
void PrivateSettings()
{
    static const std::string folder = [] {
        std::string path = (std::filesystem::temp_directory_path() / "veltrane-bench-XXXXXX").string();
        if (!::mkdtemp(path.data()))
            path = std::filesystem::temp_directory_path().string();
        ::setenv("XDG_CONFIG_HOME", path.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", path.c_str(), 1);
        return path;
    }();
}

void AdvanceImage(benchmark::State& state)
{
    PrivateSettings();
    const bool cached = state.range(0) != 0;
    TMemoryDisplay display(1920, 1080);
    const TWindowId window = display.CreateForeignWindow(TWindowRect{0, 0, 1920, 1080});
    T_QsvImgFree engine;
    engine.Mode = TSaverMode::smPreview;
    engine.ViewType = 1;
    engine.SetDisplay(&display);
    engine.AttachWindow(window);
    TBitmap copy(1920, 1080, TPixelFormat::pf32bit);
    double copySeconds = 0;
    double advanceSeconds = 0;
    for (auto _ : state) {
        if (!cached)
            engine.Posters().Clear();
        const auto t0 = std::chrono::steady_clock::now();
        std::memcpy(copy.Bits(), engine.NextFrame->Empty() ? copy.Bits() : engine.NextFrame->Bits(), copy.ByteCount());
        benchmark::ClobberMemory();
        const auto t1 = std::chrono::steady_clock::now();
        engine.AdvanceImage();
        benchmark::ClobberMemory();
        const auto t2 = std::chrono::steady_clock::now();
        const double advance = std::chrono::duration<double>(t2 - t1).count();
        copySeconds += std::chrono::duration<double>(t1 - t0).count();
        advanceSeconds += advance;
        state.SetIterationTime(advance);
    }
    state.counters["copy_ms"] = copySeconds * 1000.0 / static_cast<double>(state.iterations());
    state.counters["ratio_vs_copy"] = copySeconds > 0 ? advanceSeconds / copySeconds : 0.0;
    state.counters["cache_ceiling_MB"] = static_cast<double>(engine.Posters().Ceiling()) / (1024.0 * 1024.0);
    state.counters["cache_held_MB"] = static_cast<double>(engine.Posters().BytesHeld()) / (1024.0 * 1024.0);
}

} // namespace

BENCHMARK(AdvanceImage)->ArgName("cached")->Arg(1)->Arg(0)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
