#pragma once

#include <cstdint>
#include <functional>

// How a call run in a child process ended.
enum class TIsolatedOutcome : std::uint8_t {
    ioAnswered,  // the body returned; Value holds its answer
    ioCrashed,   // the child ended without an answer (a signal, exit, an exception)
    ioTimedOut,  // no answer in time; the child was killed
    ioFailed     // no child could be started
};

struct TIsolatedResult {
    TIsolatedOutcome Outcome = TIsolatedOutcome::ioFailed;
    std::int32_t Value = 0;
};

// Runs foreign code (a password provider) in a forked child so that its crash or hang
// cannot take the caller down. The child runs body with the default handling of fatal
// signals and reports the answer through a pipe; the caller waits at most timeoutMs
// milliseconds and always reaps the child before returning.
class TIsolatedCall {
public:
    static TIsolatedResult Run(const std::function<std::int32_t()>& body, std::uint32_t timeoutMs);
};
