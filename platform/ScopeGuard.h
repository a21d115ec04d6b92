#pragma once

#include <exception>
#include <utility>

// Runs a cleanup when the scope is left, however it is left. An exception from the
// cleanup goes on to the caller, unless the scope is left by an exception already: that
// first exception is the one that matters, and the cleanup's own is dropped.
// Dismiss() keeps the cleanup from running (a cleanup meant only for failures).
template <class F>
class TScopeGuard {
public:
    explicit TScopeGuard(F cleanup) : FCleanup(std::move(cleanup)), FExceptions(std::uncaught_exceptions()) {}
    ~TScopeGuard() noexcept(false)
    {
        if (!FArmed)
            return;
        if (std::uncaught_exceptions() == FExceptions) {
            FCleanup();
            return;
        }
        try {
            FCleanup();
        } catch (...) {
        }
    }
    TScopeGuard(const TScopeGuard&) = delete;
    TScopeGuard& operator=(const TScopeGuard&) = delete;

    void Dismiss() { FArmed = false; }

private:
    F FCleanup;
    int FExceptions;
    bool FArmed = true;
};
