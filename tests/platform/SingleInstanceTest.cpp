#include <csignal>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
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
    TScopedEnvironment FDisplay{"DISPLAY", ":7.1"};
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
    EXPECT_EQ(TSingleInstance::LockPath(Name), FRuntime.Path() + "/QM_Veltrane-%3A7.lock");
    TSingleInstance instance(Name);
    EXPECT_TRUE(std::filesystem::exists(FRuntime.File("QM_Veltrane-%3A7.lock")));
}

// A second X session of the user runs a saver of its own; screens of one display share it.
TEST_F(SingleInstance, EachDisplaySessionHasItsOwn)
{
    TSingleInstance first(Name);
    ASSERT_TRUE(first.Acquired());
    {
        TScopedEnvironment screen("DISPLAY", ":7.0");
        EXPECT_EQ(TSingleInstance(Name).State(), TInstanceState::isAlreadyExists);
    }
    {
        TScopedEnvironment other("DISPLAY", "localhost:8.0");
        EXPECT_TRUE(TSingleInstance(Name).Acquired());
    }
    TScopedEnvironment none("DISPLAY", std::nullopt);
    EXPECT_EQ(TSingleInstance::LockPath(Name), FRuntime.Path() + "/QM_Veltrane.lock");
    EXPECT_TRUE(TSingleInstance(Name).Acquired());
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
    std::filesystem::create_directory(TSingleInstance::LockPath(Name));
    TSingleInstance instance(Name);
    EXPECT_EQ(instance.State(), TInstanceState::isFailed);
    EXPECT_FALSE(instance.Acquired());
}

TEST_F(SingleInstance, DoesNotFollowAPlantedLink)
{
    std::string target = FRuntime.File("elsewhere");
    std::filesystem::create_symlink(target, TSingleInstance::LockPath(Name));
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

// Without a private runtime folder the lock goes to a folder of the user's own in the shared
// temporary folder, else in the user's cache. What another user planted there (a runtime
// folder others may write to, with a lock in it held; a link in place of the user's folder)
// is passed over, so the saver still takes its lock.
TEST(SingleInstanceFallback, APlantedFolderOrLockNeverStopsTheSaver)
{
    TTempFolder shared("veltrane-shared");  // stands for /tmp
    TTempFolder open("veltrane-open");
    TTempFolder home("veltrane-home");
    std::filesystem::permissions(shared.Path(), std::filesystem::perms(01777));
    std::filesystem::permissions(open.Path(), std::filesystem::perms::all);
    TScopedEnvironment runtime("XDG_RUNTIME_DIR", open.Path());
    TScopedEnvironment temporary("TMPDIR", shared.Path());
    TScopedEnvironment homeFolder("HOME", home.Path());
    TScopedEnvironment cache("XDG_CACHE_HOME", std::nullopt);
    TScopedEnvironment display("DISPLAY", std::nullopt);
    const int planted = ::open(open.File("QM_Veltrane.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    ASSERT_GE(planted, 0);
    ASSERT_EQ(::flock(planted, LOCK_EX), 0);

    const std::string own = shared.File("veltrane-" + std::to_string(::geteuid()));
    EXPECT_EQ(TSingleInstance::LockPath(Name), own + "/QM_Veltrane.lock");
    EXPECT_TRUE(TSingleInstance(Name).Acquired());
    EXPECT_EQ(std::filesystem::status(own).permissions(), std::filesystem::perms::owner_all);

    std::filesystem::remove_all(own);
    std::filesystem::create_directory_symlink(open.Path(), own);
    EXPECT_EQ(TSingleInstance::LockPath(Name), home.Path() + "/.cache/veltrane/QM_Veltrane.lock");
    EXPECT_TRUE(TSingleInstance(Name).Acquired());
    ::close(planted);
}

} // namespace
