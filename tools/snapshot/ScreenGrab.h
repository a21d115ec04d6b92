#pragma once

#include <cstdint>
#include <vector>

#include "gfx/Bitmap.h"

struct _XDisplay;

// Reading what an X screen shows, for screenshots.

// A rectangle of the screen, row by row from the top, as 0x00RRGGBB (a 24-bit visual);
// empty when it cannot be read.
std::vector<std::uint32_t> ReadScreen(_XDisplay* display, int left, int top, int width, int height);

// A rectangle of the screen as a 24-bit bitmap (0x00BBGGRR pixels); empty when unreadable.
TBitmap GrabScreen(_XDisplay* display, int left, int top, int width, int height);

// Whether two grabs show the same pixels (false when either is empty).
bool SamePicture(const TBitmap& a, const TBitmap& b);
