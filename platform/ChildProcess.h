#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
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

    // Starts this program's own executable again with the given arguments (the program's
    // name not included), for work that must not run inside this process. The child ends
    // with this process (also when it is killed), inherits nothing of it but standard
    // output and error (standard input is the null device; no other descriptor, no lock,
    // no display connection), and starts with default signal handling. It reports
    // through its exit code. Started() is false when it could not be started.
    static TChildProcess StartSelf(const std::vector<std::string>& arguments);
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
    // Waits until the child has ended or the deadline has passed; true when it has ended
    // (or was never started), so that Reap() returns at once.
    bool WaitFor(TClock::time_point deadline);
    // Ends the child at once (SIGKILL); Reap() still has to collect it.
    void Kill();
    // Waits for the child to end: its exit status, -1 when it did not end normally (or
    // was never started or already reaped).
    int Reap();

private:
    TChildProcess() = default;

    int FPid = -1;
    int FReadFd = -1;
#ifdef _WIN32
    // The child, the read end of its pipe and the job that ends it with this process.
    void* FProcess = nullptr;
    void* FReadPipe = nullptr;
    void* FJob = nullptr;
    bool FKilled = false;
#endif
};
