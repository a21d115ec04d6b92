#pragma once

// What a benchmark of the real program needs around it: a private Xvfb of the given
// size that DISPLAY names, and a private home folder (TBenchHome). Ready() is false when
// either could not be made; the benchmark has then been skipped with the reason.

#include <cstdlib>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchHome.h"
#include "BenchXvfb.h"

class TBenchSession {
public:
    TBenchSession(benchmark::State& state, int width, int height, const std::string& homePrefix)
        : FServer(width, height), FHome(homePrefix)
    {
        if (FServer.Name().empty()) {
            state.SkipWithError("Xvfb is not available");
            return;
        }
        if (FHome.Path().empty()) {
            state.SkipWithError("no temporary folder");
            return;
        }
        ::setenv("DISPLAY", FServer.Name().c_str(), 1);
        FReady = true;
    }
    TBenchSession(const TBenchSession&) = delete;
    TBenchSession& operator=(const TBenchSession&) = delete;

    bool Ready() const { return FReady; }
    const std::string& DisplayName() const { return FServer.Name(); }

private:
    TBenchXvfb FServer;
    TBenchHome FHome;
    bool FReady = false;
};
