#include "platform/DesktopWallpaper.h"

#include "platform/win32/Win32Text.h"

#include <windows.h>
#include <wininet.h>  // declares what IActiveDesktop needs; before shlobj.h
#include <shlobj.h>
#include <shlguid.h>

namespace {

// COM for this thread, for as long as the object lives.
class TComScope {
public:
    TComScope() : FResult(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~TComScope()
    {
        if (SUCCEEDED(FResult))
            ::CoUninitialize();
    }
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;

private:
    HRESULT FResult;
};

// Through the Active Desktop, which keeps the user's picture style.
bool ApplyThroughActiveDesktop(const std::wstring& path)
{
    const TComScope com;
    IActiveDesktop* desktop = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ActiveDesktop, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveDesktop,
                                  reinterpret_cast<void**>(&desktop))) ||
        desktop == nullptr)
        return false;
    const bool applied = SUCCEEDED(desktop->SetWallpaper(path.c_str(), 0)) && SUCCEEDED(desktop->ApplyChanges(AD_APPLY_ALL));
    desktop->Release();
    return applied;
}

bool IsAbsolute(const std::string& path)
{
    const bool drive = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    const bool share = path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
    return drive || share;
}

}  // namespace

std::size_t TDesktopWallpaper::MaxPathLength()
{
    return MAX_PATH - 1;
}

void SetDesktopWallpaper(const std::string& path, const TPixelView&)
{
    if (!IsAbsolute(path))
        throw EWallpaperError("Cannot set the desktop wallpaper. The path \"" + path + "\" is not absolute.");
    if (path.find('\0') != std::string::npos)
        throw EWallpaperError("Cannot set the desktop wallpaper. The path holds a zero character.");
    std::wstring wide = WidenUtf8(path);
    if (wide.size() > TDesktopWallpaper::MaxPathLength())
        throw EWallpaperError("Cannot set the desktop wallpaper. The path is " + std::to_string(wide.size()) +
                              " characters long; the system takes at most " +
                              std::to_string(TDesktopWallpaper::MaxPathLength()) + ".");
    if (ApplyThroughActiveDesktop(wide))
        return;
    if (!::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, wide.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE))
        throw EWallpaperError("Cannot set the desktop wallpaper. " + Win32ErrorText(::GetLastError()) + ".");
}
