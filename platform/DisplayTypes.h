#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Value types of the display interface. The platform layer knows nothing of gfx/,
// so pixels and rectangles cross it in these plain forms.

// A window: an X11 window id on the real display, a virtual id on the memory display.
// 0 names no window.
using TWindowId = std::uint32_t;

// A rectangle in pixels, right and bottom exclusive.
struct TWindowRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const TWindowRect&, const TWindowRect&) = default;
};

struct TWindowPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TWindowPoint&, const TWindowPoint&) = default;
};

struct TWindowSize {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const TWindowSize&, const TWindowSize&) = default;
};

// Read-only pixels handed to the display: BytesPerPixel 3 (B, G, R) or 4 (B, G, R, ignored).
// Stride is the distance between the starts of two rows in memory. With BottomUp the
// first row in memory is the bottom row of the image (a device-independent bitmap).
struct TPixelView {
    const std::uint8_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    std::size_t Stride = 0;
    bool BottomUp = true;
    int BytesPerPixel = 4;

    // Row y counted from the top of the image.
    const std::uint8_t* Row(int y) const {
        const int memRow = BottomUp ? Height - 1 - y : y;
        return Bits + static_cast<std::size_t>(memRow) * Stride;
    }
};

// Writable pixels the display fills (screen reads); same layout rules as TPixelView.
struct TPixelBuffer {
    std::uint8_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    std::size_t Stride = 0;
    bool BottomUp = true;
    int BytesPerPixel = 4;

    std::uint8_t* Row(int y) const {
        const int memRow = BottomUp ? Height - 1 - y : y;
        return Bits + static_cast<std::size_t>(memRow) * Stride;
    }
    // The pixels of area (inside the buffer) as a buffer of their own.
    TPixelBuffer Part(const TWindowRect& area) const {
        TPixelBuffer part = *this;
        part.Width = area.Width();
        part.Height = area.Height();
        const int firstMemRow = BottomUp ? Height - area.Bottom : area.Top;
        part.Bits = Bits + static_cast<std::size_t>(firstMemRow) * Stride +
                    static_cast<std::size_t>(area.Left) * BytesPerPixel;
        return part;
    }
};

// How a top-level window looks and behaves.
enum TWindowStyle : std::uint8_t {
    wsNormal,      // decorated, resizable
    wsDialog,      // decorated, fixed size
    wsFullScreen,  // borderless, override-redirect (not managed), covering its given rect
};

enum TCursorShape : std::uint8_t { crArrow, crHandPoint, crIBeam, crNone };

// What CreateWindow needs. Left/Top are screen coordinates of the client area;
// a window manager may still place a managed window elsewhere.
struct TWindowParams {
    std::string Caption;   // 8-bit text in code page 1252
    int Left = 0;
    int Top = 0;
    int Width = 1;         // client size
    int Height = 1;
    TWindowStyle Style = wsNormal;
    bool TopMost = false;
};

// Modifier and button state bits of key and mouse events.
using TShiftState = std::uint32_t;
constexpr TShiftState ssShift = 1u << 0;
constexpr TShiftState ssAlt = 1u << 1;
constexpr TShiftState ssCtrl = 1u << 2;
constexpr TShiftState ssLeft = 1u << 3;
constexpr TShiftState ssRight = 1u << 4;
constexpr TShiftState ssMiddle = 1u << 5;
constexpr TShiftState ssDouble = 1u << 6;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle, mbWheelUp, mbWheelDown, mbOther };
