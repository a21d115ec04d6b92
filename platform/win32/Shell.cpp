#include "platform/Shell.h"

#include "platform/Exception.h"
#include "platform/win32/Win32Text.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

namespace {

[[noreturn]] void Fail(const std::string& address, const std::string& reason)
{
    throw EOSError("Cannot open \"" + address + "\": " + reason);
}

}  // namespace

void OpenAddress(const std::string& address)
{
    if (address.empty())
        Fail(address, "the address is empty");
    if (address[0] == '-')
        Fail(address, "an address cannot start with '-'");
    if (address.find('\0') != std::string::npos)
        Fail(address, "the address holds a zero byte");
    // Shell extensions may use COM; the call initialises it for itself when needed.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring wide = WidenUtf8(address);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = wide.c_str();
    info.nShow = SW_SHOWNORMAL;
    const BOOL opened = ::ShellExecuteExW(&info);
    const DWORD error = ::GetLastError();
    if (SUCCEEDED(com))
        ::CoUninitialize();
    if (!opened)
        Fail(address, Win32ErrorText(error));
}
