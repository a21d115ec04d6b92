#pragma once

#include <chrono>
#include <thread>

// Test helper: asks condition every interval until it holds or the time is up; answers its
// last value. The one way the tests wait: on a condition, with a deadline.
template <class F>
bool WaitUntil(F condition, std::chrono::milliseconds within = std::chrono::seconds(10),
               std::chrono::milliseconds interval = std::chrono::milliseconds(20))
{
    const auto deadline = std::chrono::steady_clock::now() + within;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(interval);
    }
}
