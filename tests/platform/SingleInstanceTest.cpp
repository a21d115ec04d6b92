#include <csignal>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "platform/SingleInstance.h"

namespace {

constexpr const char* Name = "QM_Veltrane";

// Each test gets its own runtime folder, so the lock it takes is private to it.
class SingleInstance : public testing::Test {
protected:
    TTempFolder FRuntime{"veltrane-runtime"};
    TScopedEnvironment FEnv{"XDG_RUNTIME_DIR", FRuntime.Path()};
};

// A child process that takes the name, reports its state through a pipe, then either
// waits to be killed or ends on its own.
class TChildHolder {
public:
    explicit TChildHolder(bool waitForKill)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            throw std::runtime_error("pipe");
        FPid = ::fork();
        if (FPid == 0) {
            ::close(fds[0]);
            TSingleInstance instance(Name);
            char state = static_cast<char>('0' + static_cast<int>(instance.State()));
            (void)!::write(fds[1], &state, 1);
            if (waitForKill)
                for (;;)
                    ::pause();
            ::_exit(0);
        }
        ::close(fds[1]);
        if (::read(fds[0], &FState, 1) != 1)
            FState = '?';
        ::close(fds[0]);
    }
    ~TChildHolder()
    {
        if (FPid > 0 && !FReaped) {
            ::kill(FPid, SIGKILL);
            ::waitpid(FPid, nullptr, 0);
        }
    }
    char State() const { return FState; }
    int KillAndReap(int signal)
    {
        ::kill(FPid, signal);
        return Reap();
    }
    int Reap()
    {
        int status = 0;
        ::waitpid(FPid, &status, 0);
        FReaped = true;
        return status;
    }

private:
    pid_t FPid = -1;
    char FState = '?';
    bool FReaped = false;
};

char StateChar(TInstanceState state)
{
    return static_cast<char>('0' + static_cast<int>(state));
}

TEST_F(SingleInstance, LockLivesInTheRuntimeFolder)
{
    EXPECT_EQ(TSingleInstance::LockPath(Name), FRuntime.Path() + "/QM_Veltrane.lock");
    TSingleInstance instance(Name);
    EXPECT_TRUE(std::filesystem::exists(FRuntime.File("QM_Veltrane.lock")));
}

TEST_F(SingleInstance, FirstHolderGetsItSecondHearsItExists)
{
    TSingleInstance first(Name);
    EXPECT_EQ(first.State(), TInstanceState::isAcquired);
    EXPECT_TRUE(first.Acquired());
    TSingleInstance second(Name);
    EXPECT_EQ(second.State(), TInstanceState::isAlreadyExists);
    EXPECT_FALSE(second.Acquired());
}

TEST_F(SingleInstance, ReleasedWhenTheHolderGoes)
{
    {
        TSingleInstance first(Name);
        ASSERT_TRUE(first.Acquired());
    }
    TSingleInstance again(Name);
    EXPECT_TRUE(again.Acquired());
}

TEST_F(SingleInstance, HeldByAnotherProcessUntilItIsKilled)
{
    TChildHolder child(true);
    ASSERT_EQ(child.State(), StateChar(TInstanceState::isAcquired));
    {
        TSingleInstance here(Name);
        EXPECT_EQ(here.State(), TInstanceState::isAlreadyExists);
    }
    int status = child.KillAndReap(SIGKILL);
    ASSERT_TRUE(WIFSIGNALED(status));
    // The system released the lock of the crashed holder.
    TSingleInstance here(Name);
    EXPECT_TRUE(here.Acquired());
}

TEST_F(SingleInstance, ChildSeesTheNameHeldByThisProcess)
{
    TSingleInstance here(Name);
    ASSERT_TRUE(here.Acquired());
    TChildHolder child(false);
    EXPECT_EQ(child.State(), StateChar(TInstanceState::isAlreadyExists));
    child.Reap();
    // The child's failed attempt takes nothing away from this holder.
    TChildHolder later(false);
    EXPECT_EQ(later.State(), StateChar(TInstanceState::isAlreadyExists));
}

TEST_F(SingleInstance, FailsWhenTheLockCannotBeCreated)
{
    std::filesystem::create_directory(FRuntime.File("QM_Veltrane.lock"));
    TSingleInstance instance(Name);
    EXPECT_EQ(instance.State(), TInstanceState::isFailed);
    EXPECT_FALSE(instance.Acquired());
}

TEST_F(SingleInstance, DoesNotFollowAPlantedLink)
{
    std::string target = FRuntime.File("elsewhere");
    std::filesystem::create_symlink(target, FRuntime.File("QM_Veltrane.lock"));
    TSingleInstance instance(Name);
    EXPECT_EQ(instance.State(), TInstanceState::isFailed);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(SingleInstance, NameCannotEscapeTheFolder)
{
    std::string path = TSingleInstance::LockPath("../evil/name");
    EXPECT_EQ(path.rfind(FRuntime.Path() + "/", 0), 0u);
    EXPECT_EQ(path.find('/', FRuntime.Path().size() + 1), std::string::npos);
}

TEST(SingleInstanceFallback, UsesAPerUserFileInTmpWithoutARuntimeFolder)
{
    TScopedEnvironment unset("XDG_RUNTIME_DIR", std::nullopt);
    std::string expected = "/tmp/QM_Veltrane_kernel_test-" + std::to_string(::getuid()) + ".lock";
    EXPECT_EQ(TSingleInstance::LockPath("QM_Veltrane_kernel_test"), expected);
    TScopedEnvironment relative("XDG_RUNTIME_DIR", "not/absolute");
    EXPECT_EQ(TSingleInstance::LockPath("QM_Veltrane_kernel_test"), expected);
    TScopedEnvironment missing("XDG_RUNTIME_DIR", "/nonexistent/veltrane-runtime");
    EXPECT_EQ(TSingleInstance::LockPath("QM_Veltrane_kernel_test"), expected);
    {
        TSingleInstance first("QM_Veltrane_kernel_test");
        TSingleInstance second("QM_Veltrane_kernel_test");
        EXPECT_TRUE(first.Acquired());
        EXPECT_EQ(second.State(), TInstanceState::isAlreadyExists);
    }
    std::filesystem::remove(expected);
}

} // namespace
