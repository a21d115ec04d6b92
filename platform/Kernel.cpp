#include "platform/Kernel.h"

// The parts of the kernel services that are the same on every platform.

std::string GetExecutableDirectory()
{
    std::string path = GetExecutablePath();
    std::string::size_type slash = path.find_last_of(PathSeparators);
    if (slash == std::string::npos)
        return {};
    return path.substr(0, slash + 1);
}

std::uint32_t TickCountFromNanoseconds(std::uint64_t nanoseconds)
{
    return static_cast<std::uint32_t>(nanoseconds / 1000000u);
}
