#include "TestChild.h"

#include <cerrno>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

pid_t ForkTestChild(int deathSignal)
{
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("cannot start a child process");
    if (child == 0) {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, deathSignal);
        // The parent may have died before the signal was asked for.
        if (::getppid() != parent)
            ::_exit(125);
        return 0;
    }
    // Also here, so that the group exists before the parent may kill it.
    ::setpgid(child, child);
    return child;
}

bool TestChildEnded(pid_t child)
{
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == child;
}

int KillTestChild(pid_t child)
{
    ::kill(-child, SIGKILL);
    ::kill(child, SIGKILL);  // in case it left its group
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}
