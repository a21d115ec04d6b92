#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "platform/ChildProcess.h"

namespace {

using namespace std::chrono_literals;

TChildProcess::TClock::time_point In(std::chrono::milliseconds span) { return TChildProcess::TClock::now() + span; }

TEST(ChildProcess, ProgramStartedAgainInheritsNoDescriptorAndEndsWithItsExitCode)
{
    // A descriptor opened without close-on-exec, as a careless library might.
    const int leaked = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(leaked, 0);
    TChildProcess child = TChildProcess::StartSelf({"--child-probe", "descriptors"});
    ::close(leaked);
    ASSERT_TRUE(child.Started());
    EXPECT_TRUE(child.WaitFor(In(10s)));
    EXPECT_EQ(child.Reap(), 10) << "standard input is the null device and nothing else is passed on";
    EXPECT_EQ(child.Reap(), -1) << "a child is reaped once";
}

TEST(ChildProcess, WaitingForAHangingChildTimesOutAndKillEndsIt)
{
    TChildProcess child = TChildProcess::StartSelf({"--child-probe", "hang"});
    ASSERT_TRUE(child.Started());
    EXPECT_FALSE(child.WaitFor(In(100ms)));
    child.Kill();
    EXPECT_TRUE(child.WaitFor(In(10s)));
    EXPECT_EQ(child.Reap(), -1) << "killed";
}

TEST(ChildProcess, ReadingStopsAtTheLimitOrTheDeadlineWhileTheChildGoesOn)
{
    TChildProcess child = TChildProcess::Spawn({"sh", "-c", "printf abcdefgh; exec sleep 100"});
    std::string data;
    EXPECT_EQ(child.Read(data, In(5s), 4), TChildReadEnd::creFilled);
    EXPECT_EQ(data, "abcd");
    EXPECT_EQ(child.Read(data, In(100ms)), TChildReadEnd::creTimedOut);
    EXPECT_EQ(data, "abcdefgh");
    child.Kill();
    EXPECT_EQ(child.Reap(), -1) << "killed";
}

TEST(ChildProcess, AChildLeftRunningIsKilledAndReapedAtTheEnd)
{
    pid_t pid = 0;
    {
        TChildProcess child = TChildProcess::Spawn({"sh", "-c", "echo $$; exec sleep 100"});
        std::string data;
        ASSERT_EQ(child.Read(data, In(5s), 1), TChildReadEnd::creFilled);
        while (data.back() != '\n')
            ASSERT_EQ(child.Read(data, In(5s), data.size() + 1), TChildReadEnd::creFilled);
        pid = std::stoi(data);
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
