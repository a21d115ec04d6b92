#include "platform/Kernel.h"

#include "platform/win32/Win32Kernel.h"

std::string GetSystemDirectory()
{
    const std::string configured = Win32Kernel::Environment("VELTRANE_SYSTEM_DIR");
    if (!configured.empty())
        return configured;
    return Win32Kernel::SystemFolder();
}

std::string GetExecutablePath()
{
    return Win32Kernel::ModulePath();
}

std::uint32_t GetTickCount()
{
    return Win32Kernel::TickCount();
}

void Sleep(std::uint32_t milliseconds)
{
    Win32Kernel::Pause(milliseconds);
}
