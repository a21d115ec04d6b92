#pragma once

// A private Xvfb for the benchmarks that need a real X server: started on a free
// display number, ready when the constructor returns, stopped by the destructor.
// Name() is empty when Xvfb could not be started.

#include <chrono>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/x11/X11Display.h"

class TBenchXvfb {
public:
    TBenchXvfb(int width, int height)
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return;
        FPid = ::fork();
        if (FPid == 0) {
            const std::string fd = std::to_string(::dup(fds[1]));
            const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
            const int devNull = ::open("/dev/null", O_WRONLY);
            ::dup2(devNull, 1);
            ::dup2(devNull, 2);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
                     "-noreset", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char buffer[32];
        while (number.find('\n') == std::string::npos && ::poll(&p, 1, 20000) > 0) {
            const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            number.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(fds[0]);
        while (!number.empty() && (number.back() == '\n' || number.back() == '\r'))
            number.pop_back();
        if (number.empty())
            return;
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (OpenX11Display((":" + number).c_str())) {
                FName = ":" + number;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
    }
    ~TBenchXvfb()
    {
        if (FPid > 0) {
            ::kill(FPid, SIGTERM);
            ::waitpid(FPid, nullptr, 0);
        }
    }
    TBenchXvfb(const TBenchXvfb&) = delete;
    TBenchXvfb& operator=(const TBenchXvfb&) = delete;

    const std::string& Name() const { return FName; }

private:
    pid_t FPid = -1;
    std::string FName;
};
