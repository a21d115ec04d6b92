#pragma once

#include <cstdint>
#include <string>

#include "XConnection.h"

// Test helper: a plain X window made by "another program" (its own connection), such as
// the screen-saver host's preview window of 152 x 112 whose id is passed to the saver.
class THostWindow {
public:
    // Creates the window at (x, y) with the given size and maps it when mapped is true;
    // throws std::runtime_error when the display cannot be opened, and every call below
    // throws it when the server is gone.
    THostWindow(const std::string& displayName, int width = 152, int height = 112, int x = 10, int y = 10,
                bool mapped = true);
    ~THostWindow();
    THostWindow(const THostWindow&) = delete;
    THostWindow& operator=(const THostWindow&) = delete;

    std::uint32_t Id() const { return FWindow; }
    void Map();
    void Unmap();
    void Raise();
    // Destroys the window now (the destructor then does nothing more to it).
    void Destroy();

private:
    TXConnection FConnection;
    std::uint32_t FWindow = 0;
};
