#pragma once

#include "gfx/Font.h"

// A new logical font built from font with the given escapement (tenths of a degree,
// counter-clockwise): the same height, face, character set, weight (700 bold, else
// 400), italic, underline and strike-out, orientation 0, and the pitch of a variable
// or fixed font (default otherwise). A logical font carries no colour, so the result
// has the default font colour; callers set the colour they draw with.
TFont CreateRotatedFont(const TFont& font, int escapement);
