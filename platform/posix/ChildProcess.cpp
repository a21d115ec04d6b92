#include "platform/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

TChildProcess TChildProcess::Fork(const std::function<int(int pipeFd)>& childMain)
{
    TChildProcess child;
    TPipe pipe;
    if (!pipe.Valid())
        return child;
    const pid_t pid = ::fork();
    if (pid < 0)
        return child;
    if (pid == 0) {
        pipe.CloseRead();
        int code = 127;
        try {
            code = childMain(pipe.WriteEnd());
        } catch (...) {
        }
        ::_exit(code);
    }
    child.FPid = pid;
    child.FReadFd = pipe.TakeReadEnd();
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
