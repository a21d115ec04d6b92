#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Test helper: a program (the executable under test) started as a child process, its
// standard output and standard error caught in files when paths are given (inherited
// otherwise). A child still running at the end is killed and reaped.
class TProgramProcess {
public:
    TProgramProcess(const std::string& program, const std::vector<std::string>& switches,
                  const std::string& errPath = {}, const std::string& outPath = {});
    ~TProgramProcess();
    TProgramProcess(const TProgramProcess&) = delete;
    TProgramProcess& operator=(const TProgramProcess&) = delete;

    // The exit code once the process has ended within the time; -1 for a signal.
    std::optional<int> WaitExit(std::chrono::milliseconds within);
    // Waits as long as it takes: the exit code, -1 for a signal or a child that never started.
    int Wait();
    bool Running() { return !WaitExit(std::chrono::milliseconds(0)).has_value(); }
    // Ends it at once, as SIGKILL does; WaitExit then reaps it.
    void Kill();

private:
    pid_t FPid = -1;
    std::optional<int> FExit;

    void Reaped(int status);
};
