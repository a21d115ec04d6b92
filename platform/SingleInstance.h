#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class TInstanceState : std::uint8_t {
    isAcquired,       // this object holds the name
    isAlreadyExists,  // another holder (another process, or another object here) has it
    isFailed          // the name could not be created; nothing is held
};

// A named object that at most one holder owns at a time, per user. It is held from
// construction until destruction and released by the system when the process ends,
// also when it is killed. On POSIX systems an exclusive flock on
// $XDG_RUNTIME_DIR/<name>.lock (or /tmp/<name>-<uid>.lock without a runtime folder);
// on Windows a named semaphore of the user's session.
class TSingleInstance {
public:
    explicit TSingleInstance(std::string_view name);
    ~TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    TInstanceState State() const { return FState; }
    bool Acquired() const { return FState == TInstanceState::isAcquired; }
#ifdef _WIN32
private:
    void* FHandle = nullptr;  // the semaphore
#else
    // The lock file that stands for the name.
    static std::string LockPath(std::string_view name);

private:
    int FHandle = -1;
#endif
    TInstanceState FState = TInstanceState::isFailed;
};
