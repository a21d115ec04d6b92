#pragma once

#include <cstdint>

#include "platform/DisplayTypes.h"

enum TDisplayEventKind : std::uint8_t {
    deNone,
    dePaint,          // Rect: the client area to repaint
    deKeyDown,        // Key, Shift, Char, CodePoint
    deKeyUp,          // Key, Shift (Char 0)
    deMouseMove,      // X, Y client; ScreenX, ScreenY; Shift
    deButtonDown,     // Button, DoubleClick, coordinates, Shift
    deButtonUp,       // Button, coordinates, Shift
    deMouseEnter,     // the pointer entered the window
    deMouseLeave,     // the pointer left the window
    deFocusIn,
    deFocusOut,
    deClose,          // the user or the window manager asks the window to close
    deDestroyed,      // the window no longer exists
    deMapped,         // the window became mapped (shown)
    deUnmapped,       // the window was unmapped (hidden)
    deConfigure,      // Rect: the client area's new place in screen coordinates
    deWake,           // TDisplay::Wake was called
    deConnectionLost, // the display server is gone; no more events will come
};

// One event of a window. Fields that do not apply to the kind are 0.
struct TDisplayEvent {
    TDisplayEventKind Kind = deNone;
    TWindowId Window = 0;
    TWindowRect Rect;          // dePaint, deConfigure
    int X = 0;                 // pointer in client coordinates
    int Y = 0;
    int ScreenX = 0;           // pointer in screen coordinates
    int ScreenY = 0;
    std::uint16_t Key = 0;     // virtual key code (platform/DisplayKeys.h)
    unsigned char Char = 0;    // the character the key gives in code page 1252, 0 when none
    std::uint32_t CodePoint = 0; // the same character as a Unicode code point, 0 when none
    TShiftState Shift = 0;     // modifiers and buttons held before the event
    TMouseButton Button = mbLeft;
    bool DoubleClick = false;  // deButtonDown: second press within the double-click time and box
    std::uint32_t Time = 0;    // server time in milliseconds
};
