#include "platform/SingleInstance.h"

#include "platform/win32/Win32Text.h"

#include <windows.h>

TSingleInstance::TSingleInstance(std::string_view name)
{
    // Backslashes would name another namespace ("Global\..."): the name stays one word.
    std::string objectName(name);
    for (char& c : objectName) {
        if (c == '\\')
            c = '_';
    }
    const std::wstring wideName = WidenUtf8(objectName);
    HANDLE handle = ::CreateSemaphoreW(nullptr, 0, 1, wideName.c_str());
    const DWORD error = ::GetLastError();
    if (handle == nullptr) {
        // A different kind of object holding the name is another holder too.
        FState = error == ERROR_INVALID_HANDLE ? TInstanceState::isAlreadyExists : TInstanceState::isFailed;
        return;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(handle);
        FState = TInstanceState::isAlreadyExists;
        return;
    }
    FHandle = handle;
    FState = TInstanceState::isAcquired;
}

TSingleInstance::~TSingleInstance()
{
    // The semaphore goes with its last handle; the system closes it when the process ends.
    if (FHandle != nullptr)
        ::CloseHandle(static_cast<HANDLE>(FHandle));
}
