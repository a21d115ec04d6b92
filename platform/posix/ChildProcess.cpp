#include "platform/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Kernel.h"

extern char** environ;

namespace {

// A pipe whose two ends are closed when it goes out of scope, unless taken.
class TPipe {
public:
    TPipe()
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) == 0) {
            FRead = fds[0];
            FWrite = fds[1];
        }
    }
    ~TPipe()
    {
        CloseRead();
        CloseWrite();
    }
    TPipe(const TPipe&) = delete;
    TPipe& operator=(const TPipe&) = delete;

    bool Valid() const { return FRead >= 0; }
    int ReadEnd() const { return FRead; }
    int WriteEnd() const { return FWrite; }
    int TakeReadEnd()
    {
        const int fd = FRead;
        FRead = -1;
        return fd;
    }
    void CloseRead()
    {
        if (FRead >= 0)
            ::close(FRead);
        FRead = -1;
    }
    void CloseWrite()
    {
        if (FWrite >= 0)
            ::close(FWrite);
        FWrite = -1;
    }

private:
    int FRead = -1;
    int FWrite = -1;
};

// posix_spawn's attribute and file-action objects, released on every path.
struct TSpawnSetup {
    posix_spawn_file_actions_t Actions;
    posix_spawnattr_t Attributes;
    TSpawnSetup()
    {
        posix_spawn_file_actions_init(&Actions);
        posix_spawnattr_init(&Attributes);
    }
    ~TSpawnSetup()
    {
        posix_spawn_file_actions_destroy(&Actions);
        posix_spawnattr_destroy(&Attributes);
    }
    TSpawnSetup(const TSpawnSetup&) = delete;
    TSpawnSetup& operator=(const TSpawnSetup&) = delete;
};

} // namespace

TChildProcess TChildProcess::StartSelf(const std::vector<std::string>& arguments)
{
    TChildProcess child;
    // Everything the child needs is made before the fork: between fork and exec it may
    // only make async-signal-safe calls, since another thread (the cross-fade worker) may
    // hold a lock of the allocator or of the display library at the moment of the fork.
    static constexpr const char* Self = "/proc/self/exe";  // this very file, even if replaced since
    const std::string name = GetExecutablePath();
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(name.empty() ? Self : name.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int null = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (null < 0)
        return child;
    rlimit files{};
    const int openMax = ::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY
                            ? static_cast<int>(std::min<rlim_t>(files.rlim_cur, 1 << 20))
                            : 4096;
    const pid_t parent = ::getpid();
    // No handler of this process may run in the child before the exec resets them.
    sigset_t all, previous;
    sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &previous);

    const pid_t pid = ::fork();
    if (pid == 0) {
        // Dies with this process; if that is already gone, the child never asked anything.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
        ::dup2(null, STDIN_FILENO);
        // Whatever was opened without close-on-exec (by a library, say) is not passed on.
        if (::close_range(3, ~0U, 0) != 0)
            for (int fd = 3; fd < openMax; ++fd)
                ::close(fd);
        struct sigaction standard{};
        standard.sa_handler = SIG_DFL;
        for (int sig = 1; sig < NSIG; ++sig)
            ::sigaction(sig, &standard, nullptr);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::execv(Self, argv.data());
        ::_exit(127);
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ::close(null);
    if (pid > 0)
        child.FPid = pid;
    return child;
}

TChildProcess TChildProcess::Spawn(const std::vector<std::string>& arguments)
{
    TChildProcess child;
    if (arguments.empty() || arguments[0].empty())
        return child;
    TPipe pipe;
    if (!pipe.Valid())
        return child;

    TSpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.Actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.Actions, pipe.WriteEnd(), STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&setup.Actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // The child starts with default signal handling whatever this process set up.
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigdefault(&setup.Attributes, &all);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&setup.Attributes, &none);
    posix_spawnattr_setflags(&setup.Attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = -1;
    if (::posix_spawnp(&pid, argv[0], &setup.Actions, &setup.Attributes, argv.data(), environ) != 0)
        return child;
    child.FPid = pid;
    child.FReadFd = pipe.TakeReadEnd();
    return child;
}

TChildProcess::TChildProcess(TChildProcess&& other) noexcept : FPid(other.FPid), FReadFd(other.FReadFd)
{
    other.FPid = -1;
    other.FReadFd = -1;
}

TChildProcess::~TChildProcess()
{
    if (FPid > 0) {
        Kill();
        Reap();
    }
    if (FReadFd >= 0)
        ::close(FReadFd);
}

TChildReadEnd TChildProcess::Read(std::string& data, TClock::time_point deadline, std::size_t limit)
{
    if (FReadFd < 0)
        return TChildReadEnd::creEnded;
    while (data.size() < limit) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
        if (left <= 0)
            return TChildReadEnd::creTimedOut;
        pollfd p{FReadFd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return TChildReadEnd::creEnded;
        }
        if (ready == 0)
            continue;  // the deadline check above ends the wait
        char buffer[4096];
        const std::size_t wanted = std::min(sizeof buffer, limit - data.size());
        const ssize_t n = ::read(FReadFd, buffer, wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return TChildReadEnd::creEnded;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    return TChildReadEnd::creFilled;
}

bool TChildProcess::WaitFor(TClock::time_point deadline)
{
    if (FPid <= 0)
        return true;
    auto left = [&] {
        return std::max<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count(), 0);
    };
    auto ended = [&] {
        siginfo_t info{};
        return ::waitid(P_PID, static_cast<id_t>(FPid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0;
    };
    const int pidFd = static_cast<int>(::syscall(SYS_pidfd_open, FPid, 0));
    if (pidFd < 0) {
        // A kernel without process descriptors: look now and then.
        while (!ended()) {
            if (left() <= 0)
                return false;
            ::usleep(static_cast<useconds_t>(std::min<long long>(left(), 10) * 1000));
        }
        return true;
    }
    for (;;) {
        pollfd p{pidFd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left(), 1 << 30)));
        if (ready < 0 && errno == EINTR)
            continue;
        ::close(pidFd);
        return ready > 0 || ended();
    }
}

void TChildProcess::Kill()
{
    if (FPid > 0)
        ::kill(FPid, SIGKILL);
}

int TChildProcess::Reap()
{
    if (FPid <= 0)
        return -1;
    int status = 0;
    pid_t reaped;
    while ((reaped = ::waitpid(FPid, &status, 0)) < 0 && errno == EINTR) {
    }
    FPid = -1;
    if (reaped < 0)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
