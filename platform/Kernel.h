#pragma once

#include <cstdint>
#include <string>

// Kernel services: directories, the millisecond tick count and sleeping.

// The platform's system folder, where optional system libraries live:
// $VELTRANE_SYSTEM_DIR when it is set and not empty (answered as it stands; callers add a
// separator), otherwise the folder of the installed tree the executable belongs to,
// <bindir>/../lib/veltrane/system/ with a trailing slash, and the configured
// <prefix>/lib/veltrane/system/ only when the executable's own path is unknown.
std::string GetSystemDirectory();

// The full path of the running executable; empty when the system cannot tell.
std::string GetExecutablePath();

// The characters that separate the folders of a path on this platform.
#ifdef _WIN32
inline constexpr const char* PathSeparators = "\\/";
#else
inline constexpr const char* PathSeparators = "/";
#endif

// The folder of the running executable with a trailing separator; empty when unknown.
std::string GetExecutableDirectory();

// Milliseconds since an arbitrary fixed point (monotonic clock), in 32 bits:
// it wraps to 0 after about 49.7 days, so compare ticks with TicksBetween.
std::uint32_t GetTickCount();

// The tick count that a monotonic clock reading in nanoseconds stands for.
std::uint32_t TickCountFromNanoseconds(std::uint64_t nanoseconds);

// Milliseconds from `earlier` to `later`, correct across one wrap of the counter.
constexpr std::uint32_t TicksBetween(std::uint32_t earlier, std::uint32_t later)
{
    return later - earlier;
}

// Suspends the calling thread for at least the given number of milliseconds.
void Sleep(std::uint32_t milliseconds);
