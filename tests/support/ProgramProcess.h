#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Test helper: a program (the executable under test) started as a child process, its
// standard output and standard error caught in files when paths are given (inherited
// otherwise). The program and everything it starts form a process group that ends with
// the test: killed by the destructor, and by the system when the test process dies.
class TProgramProcess {
public:
    // Throws std::runtime_error when the process cannot be started.
    TProgramProcess(const std::string& program, const std::vector<std::string>& switches,
                    const std::string& errPath = {}, const std::string& outPath = {});
    ~TProgramProcess();
    TProgramProcess(const TProgramProcess&) = delete;
    TProgramProcess& operator=(const TProgramProcess&) = delete;

    pid_t Pid() const { return FPid; }
    // The exit code once the process has ended within the time; -1 for a signal.
    std::optional<int> WaitExit(std::chrono::milliseconds within);
    // The exit code, -1 for a signal or a program killed for not ending within the time.
    int Wait(std::chrono::milliseconds within = std::chrono::seconds(30));
    bool Running() { return !WaitExit(std::chrono::milliseconds(0)).has_value(); }
    // Ends it at once, as SIGKILL does; WaitExit then reaps it.
    void Kill();

private:
    pid_t FPid = -1;
    std::optional<int> FExit;

    // Ends what the program left running in its group and takes its exit status.
    void Reap();
};
