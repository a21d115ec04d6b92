// CPU time of a preview process while it waits between posters: `veltrane /p <id>` on a
// private Xvfb, drawing into a host window of 152 x 112, with a poster time longer than
// the measurement. The process's CPU time is read from /proc over 30 seconds after it
// has shown its first poster. Goal: under 1 % of one core.

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include "BenchProgram.h"
#include "BenchSession.h"
#include "platform/Registry.h"

namespace {

constexpr int MeasureSeconds = 30;

// User plus system CPU time of a process in clock ticks; -1 when it cannot be read.
long long CpuTicks(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    // After the name: state is field 3; utime and stime are fields 14 and 15.
    for (int index = 3; index <= 15 && fields >> field; ++index) {
        if (index == 14)
            utime = std::atoll(field.c_str());
        if (index == 15)
            stime = std::atoll(field.c_str());
    }
    return utime + stime;
}

void PreviewWaiting(benchmark::State& state)
{
    TBenchSession session(state, 640, 480, "veltrane-cpu");
    if (!session.Ready())
        return;
    std::unique_ptr<TDisplay> display = OpenX11Display(session.DisplayName().c_str());
    if (!display) {
        state.SkipWithError("Xvfb is not available");
        return;
    }
    {
        TRegistry registry;
        registry.OpenKey("Software\\Tessivo\\QM_Veltrane", true);
        registry.WriteInteger("Image time view", 999);
    }
    TWindowParams params;
    params.Left = 10;
    params.Top = 10;
    params.Width = 152;
    params.Height = 112;
    const TWindowId host = display->CreateWindow(params);
    display->ShowWindow(host, true);

    for (auto _ : state) {
        TBenchProgram preview({"/p", std::to_string(host)});
        const pid_t pid = preview.Pid();
        std::this_thread::sleep_for(std::chrono::seconds(3));  // start-up: decoding, first poster
        const long long before = CpuTicks(pid);
        std::this_thread::sleep_for(std::chrono::seconds(MeasureSeconds));
        const long long after = CpuTicks(pid);
        display->ShowWindow(host, false);  // the host hides its window: the preview ends
        const int exitCode = preview.Wait();
        const double seconds = static_cast<double>(after - before) / static_cast<double>(::sysconf(_SC_CLK_TCK));
        state.counters["cpu_ms"] = seconds * 1000.0;
        state.counters["cpu_percent_of_core"] = seconds * 100.0 / MeasureSeconds;
        state.counters["exit_code"] = exitCode;
        if (before < 0 || after < 0)
            state.SkipWithError("cannot read the process's CPU time");
    }
}

} // namespace

BENCHMARK(PreviewWaiting)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
