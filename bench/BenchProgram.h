#pragma once

// The built veltrane executable started with switches for a measurement, in this
// process's environment. A program still running at the end is killed and reaped.

#include <string>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

class TBenchProgram {
public:
    explicit TBenchProgram(const std::vector<std::string>& switches)
    {
        std::vector<std::string> arguments{std::string(VELTRANE_BINARY_DIR) + "/app/veltrane"};
        arguments.insert(arguments.end(), switches.begin(), switches.end());
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        FPid = ::fork();
        if (FPid == 0) {
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~TBenchProgram()
    {
        if (FPid > 0) {
            ::kill(FPid, SIGKILL);
            ::waitpid(FPid, nullptr, 0);
        }
    }
    TBenchProgram(const TBenchProgram&) = delete;
    TBenchProgram& operator=(const TBenchProgram&) = delete;

    // The process id, for reading /proc/<pid>/.
    pid_t Pid() const { return FPid; }
    void Signal(int signal) const
    {
        if (FPid > 0)
            ::kill(FPid, signal);
    }
    // Waits for the end: the exit code, -1 when it did not end normally.
    int Wait()
    {
        if (FPid <= 0)
            return -1;
        int status = 0;
        const pid_t reaped = ::waitpid(FPid, &status, 0);
        FPid = -1;
        return reaped > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t FPid = -1;
};
