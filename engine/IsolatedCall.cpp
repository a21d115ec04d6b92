#include "engine/IsolatedCall.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

#include <unistd.h>

#include "platform/ChildProcess.h"

namespace {

// The child's side: runs body and writes its answer to answerFd; the exit code tells
// the parent nothing, only a whole answer counts.
int ChildMain(const std::function<std::int32_t()>& body, int answerFd)
{
    // The parent's crash reporting must not run in here: a fault ends the child plainly.
    for (int sig : {SIGSEGV, SIGILL, SIGFPE, SIGABRT, SIGTERM})
        std::signal(sig, SIG_DFL);
#if defined(SIGBUS) && defined(SIGPIPE)
    // Not every C library has these two (Windows has neither).
    std::signal(SIGBUS, SIG_DFL);
    std::signal(SIGPIPE, SIG_DFL);
#endif
    std::int32_t value = 0;
    try {
        value = body();
    } catch (...) {
        return 3;  // no answer: the parent counts it as a crash
    }
    const char* bytes = reinterpret_cast<const char*>(&value);
    std::size_t written = 0;
    while (written < sizeof value) {
        const ssize_t n = ::write(answerFd, bytes + written, sizeof value - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return 4;
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

} // namespace

TIsolatedResult TIsolatedCall::Run(const std::function<std::int32_t()>& body, std::uint32_t timeoutMs)
{
    TIsolatedResult result;
    TChildProcess child = TChildProcess::Fork([&body](int answerFd) { return ChildMain(body, answerFd); });
    if (!child.Started())
        return result;

    std::int32_t value = 0;
    std::string answer;
    const TChildReadEnd end =
        child.Read(answer, TChildProcess::TClock::now() + std::chrono::milliseconds(timeoutMs), sizeof value);
    // Timed out, or a broken pipe but a live child: do not wait on it.
    if (end != TChildReadEnd::creFilled)
        child.Kill();
    child.Reap();

    if (end == TChildReadEnd::creFilled) {
        std::memcpy(&value, answer.data(), sizeof value);
        result.Outcome = TIsolatedOutcome::ioAnswered;
        result.Value = value;
    } else {
        result.Outcome = end == TChildReadEnd::creTimedOut ? TIsolatedOutcome::ioTimedOut : TIsolatedOutcome::ioCrashed;
    }
    return result;
}
