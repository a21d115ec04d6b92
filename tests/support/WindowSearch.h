#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TXConnection;

// A viewable top-level window as the window search finds it.
struct TTopWindow {
    std::uint32_t Id = 0;
    int X = 0;       // the client area's place on the screen
    int Y = 0;
    int Width = 0;
    int Height = 0;
    bool Unmanaged = false;  // override-redirect: no window manager places it
    std::string Name;        // the window's title, empty when it has none
};

// Test helper: the viewable top-level windows of the screen, from the bottom of the
// stacking order to the top. A window that closes while it is looked at is left out.
// Throws std::runtime_error when the connection to the server is lost.
std::vector<TTopWindow> ViewableTopWindows(TXConnection& connection);
