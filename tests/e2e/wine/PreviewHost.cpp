// A stand-in for the screen-saver settings' preview: a window whose handle (decimal) and
// the screen position of its 152 x 112 client area are written to the file named on the
// command line, as "<handle> <left> <top>"; when that file is removed the window is
// destroyed and the program ends, as the settings do when they close.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: PreviewHost <handle file>\n");
        return 2;
    }
    WNDCLASSW host{};
    host.lpfnWndProc = HostProc;
    host.hInstance = GetModuleHandleW(nullptr);
    host.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    host.lpszClassName = L"VeltranePreviewHost";
    RegisterClassW(&host);
    RECT outer{40, 40, 40 + 152, 40 + 112};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    HWND hwnd = CreateWindowExW(0, host.lpszClassName, L"Preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, outer.left,
                                outer.top, outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                                host.hInstance, nullptr);
    if (!hwnd)
        return 1;
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    // Written whole, then renamed: the reader never sees half a number.
    const std::string path = argv[1];
    const std::string part = path + ".part";
    if (FILE* file = std::fopen(part.c_str(), "w")) {
        std::fprintf(file, "%lu %ld %ld\n", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(hwnd)),
                     static_cast<long>(origin.x), static_cast<long>(origin.y));
        std::fclose(file);
        MoveFileExA(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return 0;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            DestroyWindow(hwnd);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}
