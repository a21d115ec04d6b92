#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <string>

#include <unistd.h>

#include "platform/ChildProcess.h"

namespace {

using namespace std::chrono_literals;

TChildProcess::TClock::time_point In(std::chrono::milliseconds span) { return TChildProcess::TClock::now() + span; }

TEST(ChildProcess, ForkedChildWritesToThePipeAndItsExitCodeIsReaped)
{
    TChildProcess child = TChildProcess::Fork([](int fd) {
        const char text[] = "hello";
        return ::write(fd, text, 5) == 5 ? 7 : 1;
    });
    ASSERT_TRUE(child.Started());
    std::string data;
    EXPECT_EQ(child.Read(data, In(5s)), TChildReadEnd::creEnded);
    EXPECT_EQ(data, "hello");
    EXPECT_EQ(child.Reap(), 7);
    EXPECT_EQ(child.Reap(), -1) << "a child is reaped once";
}

TEST(ChildProcess, ReadingStopsAtTheLimitWhileTheChildGoesOn)
{
    TChildProcess child = TChildProcess::Fork([](int fd) {
        const char text[] = "abcdefgh";
        (void)!::write(fd, text, 8);
        ::pause();
        return 0;
    });
    std::string data;
    EXPECT_EQ(child.Read(data, In(5s), 4), TChildReadEnd::creFilled);
    EXPECT_EQ(data, "abcd");
    child.Kill();
    EXPECT_EQ(child.Reap(), -1) << "killed";
}

TEST(ChildProcess, SilentChildTimesOutAndAThrowingOneEndsWith127)
{
    TChildProcess silent = TChildProcess::Fork([](int) {
        ::pause();
        return 0;
    });
    std::string data;
    EXPECT_EQ(silent.Read(data, In(200ms)), TChildReadEnd::creTimedOut);
    EXPECT_EQ(data, "");

    TChildProcess throwing = TChildProcess::Fork([](int) -> int { throw 1; });
    EXPECT_EQ(throwing.Read(data, In(5s)), TChildReadEnd::creEnded);
    EXPECT_EQ(throwing.Reap(), 127);
}

TEST(ChildProcess, AChildLeftRunningIsKilledAndReapedAtTheEnd)
{
    pid_t pid = 0;
    {
        TChildProcess child = TChildProcess::Fork([](int fd) {
            const pid_t self = ::getpid();
            (void)!::write(fd, &self, sizeof self);
            ::pause();
            return 0;
        });
        std::string data;
        ASSERT_EQ(child.Read(data, In(5s), sizeof pid), TChildReadEnd::creFilled);
        std::memcpy(&pid, data.data(), sizeof pid);
        ASSERT_EQ(::kill(pid, 0), 0);
    }
    // Reaped, not a zombie: the process id no longer names anything of ours.
    errno = 0;
    EXPECT_EQ(::kill(pid, 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

TEST(ChildProcess, SpawnedProgramsOutputIsReadAndAMissingOneDoesNotStart)
{
    TChildProcess echo = TChildProcess::Spawn({"sh", "-c", "echo out; echo err >&2; exit 5"});
    ASSERT_TRUE(echo.Started());
    std::string data;
    EXPECT_EQ(echo.Read(data, In(5s)), TChildReadEnd::creEnded);
    EXPECT_EQ(data, "out\n") << "standard error goes to /dev/null";
    EXPECT_EQ(echo.Reap(), 5);

    EXPECT_FALSE(TChildProcess::Spawn({"veltrane-no-such-tool"}).Started());
    EXPECT_FALSE(TChildProcess::Spawn({}).Started());
    EXPECT_FALSE(TChildProcess::Spawn({""}).Started());
}

} // namespace
