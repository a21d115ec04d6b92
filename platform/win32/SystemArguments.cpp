#include "platform/SystemArguments.h"

#include "platform/win32/Win32Text.h"

#include <windows.h>
#include <shellapi.h>

std::vector<std::string> SystemArguments()
{
    // Split by the system's own rules from the wide command line, so no character is lost
    // to the ANSI code page.
    int count = 0;
    wchar_t** list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> result;
    if (list == nullptr)
        return result;
    for (int i = 0; i < count; ++i)
        result.push_back(NarrowToUtf8(list[i]));
    ::LocalFree(list);
    return result;
}
