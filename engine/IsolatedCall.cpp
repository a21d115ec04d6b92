#include "engine/IsolatedCall.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class TFd {
public:
    explicit TFd(int fd = -1) : FFd(fd) {}
    ~TFd() { Close(); }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return FFd; }
    void Close()
    {
        if (FFd >= 0)
            ::close(FFd);
        FFd = -1;
    }

private:
    int FFd;
};

[[noreturn]] void ChildMain(const std::function<std::int32_t()>& body, int answerFd)
{
    // The parent's crash reporting must not run in here: a fault ends the child plainly.
    for (int sig : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGTERM, SIGPIPE})
        std::signal(sig, SIG_DFL);
    std::int32_t value = 0;
    try {
        value = body();
    } catch (...) {
        ::_exit(3);  // no answer: the parent counts it as a crash
    }
    const char* bytes = reinterpret_cast<const char*>(&value);
    std::size_t written = 0;
    while (written < sizeof value) {
        const ssize_t n = ::write(answerFd, bytes + written, sizeof value - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ::_exit(4);
        written += static_cast<std::size_t>(n);
    }
    ::_exit(0);
}

void Reap(pid_t pid)
{
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

TIsolatedResult TIsolatedCall::Run(const std::function<std::int32_t()>& body, std::uint32_t timeoutMs)
{
    TIsolatedResult result;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return result;
    TFd readEnd(fds[0]);
    TFd writeEnd(fds[1]);

    const pid_t pid = ::fork();
    if (pid < 0)
        return result;
    if (pid == 0) {
        readEnd.Close();
        ChildMain(body, writeEnd.Get());
    }
    writeEnd.Close();

    using TClock = std::chrono::steady_clock;
    const auto deadline = TClock::now() + std::chrono::milliseconds(timeoutMs);
    std::int32_t value = 0;
    std::size_t received = 0;
    bool timedOut = false;
    while (received < sizeof value) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        pollfd pfd{readEnd.Get(), POLLIN, 0};
        const int ready = ::poll(&pfd, 1, static_cast<int>(left));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (ready == 0)
            continue;  // the deadline check above ends the wait
        const ssize_t n = ::read(readEnd.Get(), reinterpret_cast<char*>(&value) + received, sizeof value - received);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;  // end of file: the child is gone without a (whole) answer
        received += static_cast<std::size_t>(n);
    }

    if (timedOut)
        ::kill(pid, SIGKILL);
    if (received < sizeof value && !timedOut)
        ::kill(pid, SIGKILL);  // a broken pipe but a live child: do not wait on it
    Reap(pid);

    if (received == sizeof value) {
        result.Outcome = TIsolatedOutcome::ioAnswered;
        result.Value = value;
    } else {
        result.Outcome = timedOut ? TIsolatedOutcome::ioTimedOut : TIsolatedOutcome::ioCrashed;
    }
    return result;
}
