// Reading the settings store against a plain read of the same file, both measured in the
// same run. The store holds N keys of three values each (40 000 keys make a file of about
// 4 MB); each iteration reads the file's bytes once plainly, then opens a key through the
// registry, which reads and parses the whole file. "ratio_vs_read" is the registry's time
// over the plain read's, "us_per_key" the registry's time per key: it stays flat as N
// grows when reading is linear. Goal: a 2 MB store (about 20 000 keys) reads in well under
// a second.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchHome.h"
#include "platform/Registry.h"

namespace {

std::string StoreText(int keys)
{
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    for (int i = 0; i < keys; ++i) {
        const std::string n = std::to_string(i);
        text += "\r\n[HKEY_CURRENT_USER\\Software\\Bench\\Group" + std::to_string(i % 97) + "\\Key" + n + "]\r\n";
        text += "\"Image time view\"=dword:0000001e\r\n";
        text += "\"Name\"=\"value number " + n + "\"\r\n";
        text += "\"Blob\"=hex:00,01,02,03,04,05,06,07\r\n";
    }
    return text + "\r\n";
}

std::string PlainRead(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ReadSettings(benchmark::State& state)
{
    const int keys = static_cast<int>(state.range(0));
    TBenchHome home("veltrane-bench-settings");
    if (home.Path().empty()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string text = StoreText(keys);
    std::filesystem::create_directories(home.Path() + "/veltrane");
    std::ofstream(TRegistry::StorePath(), std::ios::binary) << text;
    const std::string last = "Software\\Bench\\Group" + std::to_string((keys - 1) % 97) + "\\Key" + std::to_string(keys - 1);

    double readSeconds = 0;
    double registrySeconds = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(PlainRead(TRegistry::StorePath()).size());
        const auto t1 = std::chrono::steady_clock::now();
        TRegistry registry;
        if (!registry.OpenKeyReadOnly(last) || registry.ReadString("Name") != "value number " + std::to_string(keys - 1)) {
            state.SkipWithError("the last key was not read");
            break;
        }
        const auto t2 = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(t2 - t1).count();
        readSeconds += std::chrono::duration<double>(t1 - t0).count();
        registrySeconds += seconds;
        state.SetIterationTime(seconds);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["file_kb"] = static_cast<double>(text.size()) / 1024.0;
    state.counters["read_ms"] = readSeconds * 1000.0 / iterations;
    state.counters["ratio_vs_read"] = readSeconds > 0 ? registrySeconds / readSeconds : 0.0;
    state.counters["us_per_key"] = registrySeconds * 1e6 / iterations / keys;
}

} // namespace

BENCHMARK(ReadSettings)->Arg(2500)->Arg(10000)->Arg(40000)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
