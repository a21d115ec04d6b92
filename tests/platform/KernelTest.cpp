#include <ctime>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/ScopedEnvironment.h"
#include "platform/Kernel.h"

namespace {

std::uint64_t MonotonicNanoseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
}

TEST(SystemDirectory, TakesTheEnvironmentSetting)
{
    TScopedEnvironment env("VELTRANE_SYSTEM_DIR", "/opt/veltrane-system");
    EXPECT_EQ(GetSystemDirectory(), "/opt/veltrane-system");
}

TEST(SystemDirectory, OtherwiseLiesBesideTheExecutablesFolder)
{
    // <bindir>/../lib/veltrane/system/, resolved: here relative to this test's folder.
    const std::filesystem::path folder(GetExecutableDirectory());
    const std::string expected = (folder.parent_path().parent_path() / "lib/veltrane/system/").string();
    TScopedEnvironment env("VELTRANE_SYSTEM_DIR", std::nullopt);
    EXPECT_EQ(GetSystemDirectory(), expected);
    TScopedEnvironment empty("VELTRANE_SYSTEM_DIR", "");
    EXPECT_EQ(GetSystemDirectory(), expected);
}

TEST(ExecutableDirectory, IsTheFolderOfThisTestWithATrailingSlash)
{
    std::string path = GetExecutablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(std::filesystem::equivalent(path, "/proc/self/exe"));
    std::string folder = GetExecutableDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(folder + std::filesystem::path(path).filename().string(), path);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(TickCount, IsMillisecondsOfTheMonotonicClock)
{
    std::uint32_t before = TickCountFromNanoseconds(MonotonicNanoseconds());
    std::uint32_t tick = GetTickCount();
    std::uint32_t after = TickCountFromNanoseconds(MonotonicNanoseconds());
    EXPECT_LE(TicksBetween(before, tick), TicksBetween(before, after));
}

TEST(TickCount, WrapsAfterThirtyTwoBitsOfMilliseconds)
{
    const std::uint64_t wrap = 4294967296ull * 1000000ull;  // 2^32 ms in ns
    EXPECT_EQ(TickCountFromNanoseconds(0), 0u);
    EXPECT_EQ(TickCountFromNanoseconds(999999), 0u);
    EXPECT_EQ(TickCountFromNanoseconds(1000000), 1u);
    EXPECT_EQ(TickCountFromNanoseconds(wrap - 1000000), 0xFFFFFFFFu);
    EXPECT_EQ(TickCountFromNanoseconds(wrap), 0u);
    EXPECT_EQ(TickCountFromNanoseconds(wrap + 5000000), 5u);
}

TEST(TickCount, DifferenceSurvivesTheWrap)
{
    EXPECT_EQ(TicksBetween(100, 150), 50u);
    EXPECT_EQ(TicksBetween(0xFFFFFFF0u, 0x10u), 0x20u);
    EXPECT_EQ(TicksBetween(0xFFFFFFFFu, 0u), 1u);
    EXPECT_EQ(TicksBetween(7, 7), 0u);
}

TEST(SleepCall, ReturnsAndTheClockMovesOn)
{
    std::uint64_t before = MonotonicNanoseconds();
    Sleep(0);
    Sleep(2);
    EXPECT_GE(MonotonicNanoseconds() - before, 2000000u);
}

} // namespace
