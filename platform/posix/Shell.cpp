#include "platform/Shell.h"

#include "platform/Exception.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* Opener = "xdg-open";

// A descriptor closed when it goes out of scope.
class TFd {
public:
    TFd() = default;
    explicit TFd(int fd) : FFd(fd) {}
    ~TFd() { Close(); }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return FFd; }
    void Reset(int fd) { Close(); FFd = fd; }
    void Close() {
        if (FFd >= 0) ::close(FFd);
        FFd = -1;
    }

private:
    int FFd = -1;
};

[[noreturn]] void Fail(const std::string& address, const std::string& reason) {
    throw EOSError("Cannot open \"" + address + "\": " + reason);
}

// The opener's full path from PATH, resolved before forking so that the child only execs.
std::string FindOpener() {
    const char* path = std::getenv("PATH");
    const std::string_view dirs = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = dirs.find(':', start);
        const std::string_view dir = dirs.substr(start, end == std::string_view::npos ? dirs.size() - start : end - start);
        const std::string candidate = (std::filesystem::path(dir.empty() ? "." : dir) / Opener).string();
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string_view::npos) return {};
        start = end + 1;
    }
}

} // namespace

void OpenAddress(const std::string& address) {
    if (address.empty()) Fail(address, "the address is empty");
    if (address[0] == '-') Fail(address, "an address cannot start with '-'");
    const std::string program = FindOpener();
    if (program.empty()) Fail(address, std::string(Opener) + " was not found");

    // The child forks the opener and ends at once, so the opener belongs to init and
    // nobody has to wait for it. The opener reports a failed exec through a pipe that
    // closes by itself when the exec succeeds.
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) Fail(address, std::strerror(errno));
    TFd readEnd(ends[0]), writeEnd(ends[1]);

    char* const argv[] = {const_cast<char*>(Opener), const_cast<char*>(address.c_str()), nullptr};
    const pid_t child = ::fork();
    if (child < 0) Fail(address, std::strerror(errno));
    if (child == 0) {
        const pid_t opener = ::fork();
        if (opener == 0) {
            ::setsid();
            const int null = ::open("/dev/null", O_RDWR);
            if (null >= 0) {
                ::dup2(null, STDIN_FILENO);
                ::dup2(null, STDOUT_FILENO);
                ::dup2(null, STDERR_FILENO);
            }
            ::execv(program.c_str(), argv);
            const int error = errno;
            [[maybe_unused]] const ssize_t n = ::write(writeEnd.Get(), &error, sizeof error);
            ::_exit(127);
        }
        if (opener < 0) {
            const int error = errno;
            [[maybe_unused]] const ssize_t n = ::write(writeEnd.Get(), &error, sizeof error);
        }
        ::_exit(0);
    }
    writeEnd.Close();
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    do {
        got = ::read(readEnd.Get(), &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof error)) Fail(address, std::string(Opener) + ": " + std::strerror(error));
}
