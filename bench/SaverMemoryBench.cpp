// Peak memory of the saver's engine at 1920 x 1080 on a private Xvfb: the saver mode with
// the watermark, proportional placement, every poster of the catalogue composed once and
// cross-faded (without the pauses), presented through the X display. Measured as the
// peak resident size of a child process that does only that, against a child that only
// opens the display.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BenchXvfb.h"
#include "engine/QsvImgFree.h"

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
    TBenchXvfb server(1920, 1080);
    if (server.Name().empty()) {
        state.SkipWithError("Xvfb is not available");
        return;
    }
    std::string home = (std::filesystem::temp_directory_path() / "veltrane-mem-XXXXXX").string();
    if (!::mkdtemp(home.data())) {
        state.SkipWithError("no temporary folder");
        return;
    }
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
    const std::string name = server.Name();
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
    std::filesystem::remove_all(home);
}

} // namespace

BENCHMARK(SaverPeakMemory)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
