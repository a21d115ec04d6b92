#include "XvfbServer.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

#include "TestChild.h"
#include "WaitUntil.h"

TXvfbServer::TXvfbServer(int width, int height, bool randr, int depth) : FWidth(width), FHeight(height)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error("Xvfb: cannot create a pipe");
    try {
        // SIGTERM lets the server remove its lock file when the test dies.
        FPid = ForkTestChild(SIGTERM);
    } catch (...) {
        close(fds[0]);
        close(fds[1]);
        throw;
    }
    if (FPid == 0) {
        // The child keeps only the write end (without close-on-exec) for -displayfd.
        const int fd = dup(fds[1]);
        const std::string fdText = std::to_string(fd);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
        const int devNull = open("/dev/null", O_WRONLY);
        if (devNull >= 0) {
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
        }
        execlp("Xvfb", "Xvfb", "-displayfd", fdText.c_str(), "-screen", "0", screen.c_str(),
               randr ? "+extension" : "-extension", "RANDR", "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            break;
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0)
            break;
        char buffer[32];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        number.append(buffer, static_cast<size_t>(n));
        if (number.find('\n') != std::string::npos)
            break;
    }
    close(fds[0]);
    while (!number.empty() && (number.back() == '\n' || number.back() == '\r'))
        number.pop_back();
    if (number.empty()) {
        Kill();
        throw std::runtime_error("Xvfb did not start");
    }
    FName = ":" + number;
    // The number is written once the server listens; make sure a client gets in.
    const bool accepts = WaitUntil([&] {
        Display* probe = XOpenDisplay(FName.c_str());
        if (probe)
            XCloseDisplay(probe);
        return probe != nullptr;
    }, std::chrono::seconds(5), std::chrono::milliseconds(25));
    if (accepts)
        return;
    Kill();
    throw std::runtime_error("Xvfb does not accept clients");
}

TXvfbServer::~TXvfbServer()
{
    if (FPid <= 0)
        return;
    // Asked to end, the server cleans up after itself; one that does not in time is killed.
    kill(FPid, SIGTERM);
    WaitUntil([&] { return TestChildEnded(FPid); }, std::chrono::seconds(5), std::chrono::milliseconds(5));
    Kill();
}

void TXvfbServer::Kill()
{
    if (FPid <= 0)
        return;
    KillTestChild(FPid);
    FPid = -1;
}
