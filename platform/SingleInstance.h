#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class TInstanceState : std::uint8_t {
    isAcquired,       // this object holds the name
    isAlreadyExists,  // another holder (another process, or another object here) has it
    isFailed          // the name could not be created; nothing is held
};

// A named object that at most one holder owns at a time, per user and display session. It
// is held from construction until destruction and released by the system when the process
// ends, also when it is killed. On Windows a named semaphore of the user's session. On POSIX
// systems an exclusive flock on a lock file named after the name and the display ($DISPLAY
// without its screen number; the name alone without a display) in a folder of the user's
// that nobody else may write to: $XDG_RUNTIME_DIR, else $TMPDIR/veltrane-<uid> (default
// /tmp), else $XDG_CACHE_HOME/veltrane (default ~/.cache). A folder that is a link, belongs
// to someone else or is writable by others is passed over, so another user can neither take
// the name nor redirect the lock file.
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
    // The lock file that stands for the name (its private folder is made when needed);
    // empty when no private folder could be found or made.
    static std::string LockPath(std::string_view name);

private:
    int FHandle = -1;
#endif
    TInstanceState FState = TInstanceState::isFailed;
};
