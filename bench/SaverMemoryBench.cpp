// Peak memory of the saver at 1920 x 1080 on a private Xvfb.
// SaverPeakMemory: the engine alone in the saver mode with the watermark, proportional
// placement, every poster of the catalogue composed once and cross-faded (without the
// pauses), presented through the X display; the peak resident size of a child process
// that does only that, against a child that only opens the display.
// SaverProcessPeakMemory: the real `veltrane /s` with a poster time of one second, its
// peak resident size (VmHWM) after a whole round of the catalogue.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <signal.h>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BenchProgram.h"
#include "BenchSession.h"
#include "engine/QsvImgFree.h"
#include "platform/Registry.h"

namespace {

// Runs body in a child process and answers its peak resident size in kilobytes.
template <class TBody>
long PeakKilobytes(TBody body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

void SaverPeakMemory(benchmark::State& state)
{
    TBenchSession session(state, 1920, 1080, "veltrane-mem");
    if (!session.Ready())
        return;
    const std::string name = session.DisplayName();
    for (auto _ : state) {
        const long base = PeakKilobytes([&name] { OpenX11Display(name.c_str()); });
        const long saver = PeakKilobytes([&name] {
            std::unique_ptr<TDisplay> display = OpenX11Display(name.c_str());
            if (!display)
                ::_exit(2);
            TWindowParams params;
            params.Width = 1920;
            params.Height = 1080;
            params.Style = wsFullScreen;
            const TWindowId window = display->CreateWindow(params);
            display->ShowWindow(window, true);
            T_QsvImgFree engine;
            engine.SetDisplay(display.get());
            engine.Mode = TSaverMode::smSaver;
            engine.ViewType = 1;
            engine.FadeDelay = 0;
            engine.AttachWindow(window);
            engine.PrepareFrames(1, 2);
            engine.ShowCurrentFrame();
            for (int change = 0; change < T_QsvImgFree::ImageCount + 1; ++change) {
                engine.AdvanceImage();
                engine.StartTransition();
                while (engine.Fading)
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                engine.WaitForTransition();
            }
        });
        if (base < 0 || saver < 0) {
            state.SkipWithError("the measuring process failed");
            break;
        }
        state.counters["peak_rss_MB"] = static_cast<double>(saver) / 1024.0;
        state.counters["baseline_rss_MB"] = static_cast<double>(base) / 1024.0;
        state.counters["engine_MB"] = static_cast<double>(saver - base) / 1024.0;
        state.counters["cache_ceiling_MB"] = static_cast<double>(TPosterCache::DefaultCeiling) / (1024.0 * 1024.0);
    }
}

// The peak resident size of a running process in kilobytes (VmHWM); -1 when unknown.
long HighWaterKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

void SaverProcessPeakMemory(benchmark::State& state)
{
    constexpr int Seconds = 30;  // 11 changes of one second and their fades, and more
    TBenchSession session(state, 1920, 1080, "veltrane-mem");
    if (!session.Ready())
        return;
    {
        TRegistry registry;
        registry.OpenKey("Software\\Tessivo\\QM_Veltrane", true);
        registry.WriteInteger("Image time view", 1);
        registry.WriteInteger("View Type", 1);
    }
    for (auto _ : state) {
        TBenchProgram saver({"/s"});
        long peak = -1;
        for (int second = 0; second < Seconds; ++second) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            peak = std::max(peak, HighWaterKilobytes(saver.Pid()));
        }
        saver.Signal(SIGTERM);
        saver.Wait();
        if (peak < 0) {
            state.SkipWithError("the saver did not run");
            break;
        }
        state.counters["peak_rss_MB"] = static_cast<double>(peak) / 1024.0;
    }
}

} // namespace

BENCHMARK(SaverPeakMemory)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(SaverProcessPeakMemory)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
