#pragma once

#include <cstdint>

// The launch mode chosen by the command line.
enum class TSaverMode : std::uint8_t {
    smChangePassword = 0,  // the system's password-change dialog
    smPreview = 1,         // the slideshow inside the host's preview window
    smConfigure = 2,       // the configuration dialog
    smSaver = 3            // the full-screen saver
};
