#include "ProgramProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestChild.h"
#include "WaitUntil.h"

namespace {

// Points the descriptor at a fresh file; false when the file cannot be made.
bool RedirectTo(const std::string& path, int descriptor)
{
    if (path.empty())
        return true;
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    return file >= 0 && ::dup2(file, descriptor) >= 0;
}

} // namespace

TProgramProcess::TProgramProcess(const std::string& program, const std::vector<std::string>& switches,
                                 const std::string& errPath, const std::string& outPath)
{
    // Everything the child needs is made before the fork.
    std::vector<std::string> arguments{program};
    arguments.insert(arguments.end(), switches.begin(), switches.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    FPid = ForkTestChild(SIGKILL);
    if (FPid == 0) {
        if (!RedirectTo(outPath, STDOUT_FILENO) || !RedirectTo(errPath, STDERR_FILENO))
            ::_exit(126);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
}

TProgramProcess::~TProgramProcess()
{
    if (!FExit)
        KillTestChild(FPid);
}

void TProgramProcess::Reap()
{
    // The ended leader still holds the group's number, so nothing else can have it yet.
    const int status = KillTestChild(FPid);
    FExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::optional<int> TProgramProcess::WaitExit(std::chrono::milliseconds within)
{
    if (!FExit && WaitUntil([&] { return TestChildEnded(FPid); }, within, std::chrono::milliseconds(10)))
        Reap();
    return FExit;
}

void TProgramProcess::Kill()
{
    if (FPid > 0 && !FExit)
        ::kill(FPid, SIGKILL);
}

int TProgramProcess::Wait(std::chrono::milliseconds within)
{
    if (!WaitExit(within))
        Reap();  // killed: -1
    return FExit.value_or(-1);
}
