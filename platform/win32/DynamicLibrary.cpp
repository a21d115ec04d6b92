#include "platform/DynamicLibrary.h"

#include "platform/win32/Win32Text.h"

#include <windows.h>

TDynamicLibrary::TDynamicLibrary(const std::string& path)
{
    if (path.empty()) {
        FLoadError = "no library path";
        return;
    }
    // A missing or broken library must not raise the system's error box.
    DWORD previousMode = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    const std::wstring widePath = WidenUtf8(path);
    // With a full path, the libraries it needs are looked for in its own folder first.
    HMODULE module = ::LoadLibraryExW(widePath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    const DWORD error = ::GetLastError();
    ::SetThreadErrorMode(previousMode, nullptr);
    if (module == nullptr) {
        FLoadError = path + ": " + Win32ErrorText(error);
        return;
    }
    FHandle = reinterpret_cast<void*>(module);
}

void* TDynamicLibrary::Symbol(const std::string& name) const
{
    if (FHandle == nullptr || name.empty())
        return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(FHandle), name.c_str()));
}

void TDynamicLibrary::Unload()
{
    if (FHandle != nullptr) {
        ::FreeLibrary(static_cast<HMODULE>(FHandle));
        FHandle = nullptr;
    }
}
