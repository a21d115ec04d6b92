#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// How reading from a child's pipe stopped.
enum class TChildReadEnd : std::uint8_t {
    creEnded,    // end of file (the child closed its end or is gone), or a read error
    creFilled,   // the limit of bytes was reached
    creTimedOut  // the deadline passed first
};

// A child process with a pipe from it to this process. The parent reads what the child
// writes with a deadline, kills the child when it has to and reaps it; a child not yet
// reaped when the object goes is killed and reaped then, so that none is ever left behind.
class TChildProcess {
public:
    using TClock = std::chrono::steady_clock;

    // Forks a child that runs childMain with the write end of the pipe and ends with
    // _exit(its answer), or _exit(127) when it throws. Started() is false when no pipe or
    // no child could be made.
    static TChildProcess Fork(const std::function<int(int pipeFd)>& childMain);
    // Starts arguments[0] (looked up in PATH) with the rest as its arguments, without a
    // shell, with default signal handling, standard input and error on /dev/null and
    // standard output into the pipe.
    static TChildProcess Spawn(const std::vector<std::string>& arguments);

    TChildProcess(TChildProcess&& other) noexcept;
    TChildProcess& operator=(TChildProcess&&) = delete;
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;
    ~TChildProcess();

    bool Started() const { return FPid > 0; }
    // Appends what the child writes to data until end of file, until data holds limit
    // bytes, or until the deadline.
    TChildReadEnd Read(std::string& data, TClock::time_point deadline, std::size_t limit = SIZE_MAX);
    // Ends the child at once (SIGKILL); Reap() still has to collect it.
    void Kill();
    // Waits for the child to end: its exit status, -1 when it did not end normally (or
    // was never started or already reaped).
    int Reap();

private:
    TChildProcess() = default;

    pid_t FPid = -1;
    int FReadFd = -1;
#ifdef _WIN32
    // The child, the read end of its pipe and the job that ends it with this process.
    void* FProcess = nullptr;
    void* FReadPipe = nullptr;
    void* FJob = nullptr;
    bool FKilled = false;
#endif
};
