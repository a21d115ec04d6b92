#pragma once

#include <chrono>
#include <thread>

// Test helper: asks condition every 20 ms until it holds or the time is up; answers its
// last value.
template <class F>
bool WaitUntil(F condition, std::chrono::milliseconds within = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + within;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
