#include "platform/Kernel.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <vector>

#include <unistd.h>

// Where the installed tree keeps the system folder, seen from the folder of the
// executable, and the absolute folder for when the executable cannot be found.
#ifndef VELTRANE_SYSTEM_DIR_RELATIVE
#define VELTRANE_SYSTEM_DIR_RELATIVE "../lib/veltrane/system/"
#endif
#ifndef VELTRANE_SYSTEM_DIR_DEFAULT
#define VELTRANE_SYSTEM_DIR_DEFAULT "/usr/local/lib/veltrane/system/"
#endif

std::string GetSystemDirectory()
{
    const char* configured = std::getenv("VELTRANE_SYSTEM_DIR");
    if (configured != nullptr && *configured != '\0')
        return configured;
    // The installed tree moves as a whole (a package, another prefix, an unpacked copy):
    // the folder beside the executable's is the one that belongs to it.
    const std::string executableFolder = GetExecutableDirectory();
    if (executableFolder.empty())
        return VELTRANE_SYSTEM_DIR_DEFAULT;
    std::string folder = (std::filesystem::path(executableFolder) / VELTRANE_SYSTEM_DIR_RELATIVE).lexically_normal().string();
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

std::string GetExecutablePath()
{
    // readlink does not say whether it truncated: grow the buffer until the link fits.
    std::vector<char> buffer(256);
    for (;;) {
        ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return {};
        if (static_cast<std::size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        if (buffer.size() >= 65536)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::uint32_t GetTickCount()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    std::uint64_t nanoseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000000000u
                              + static_cast<std::uint64_t>(now.tv_nsec);
    return TickCountFromNanoseconds(nanoseconds);
}

void Sleep(std::uint32_t milliseconds)
{
    timespec remaining{static_cast<time_t>(milliseconds / 1000u),
                       static_cast<long>(milliseconds % 1000u) * 1000000L};
    // A signal interrupts nanosleep; sleep on for what is left.
    while (::nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}
