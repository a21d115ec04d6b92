#include "platform/ScopeGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(ScopeGuard, CleansUpOnEveryExitAndTheFirstExceptionWins)
{
    int runs = 0;
    {
        const TScopeGuard guard([&runs] { ++runs; });
    }
    EXPECT_EQ(runs, 1);

    // Leaving normally: the cleanup's exception reaches the caller.
    EXPECT_THROW(
        {
            const TScopeGuard guard([] { throw std::runtime_error("cleanup"); });
        },
        std::runtime_error);

    // Leaving by an exception: the cleanup runs, its own exception is dropped.
    try {
        const TScopeGuard guard([&runs] {
            ++runs;
            throw std::logic_error("cleanup");
        });
        throw std::runtime_error("work");
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "work");
    }
    EXPECT_EQ(runs, 2);

    {
        TScopeGuard guard([&runs] { ++runs; });
        guard.Dismiss();
    }
    EXPECT_EQ(runs, 2);
}
