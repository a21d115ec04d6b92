#pragma once

#include "platform/DisplayTypes.h"

#include <string>

// Sets the root window background of the display's default screen to the image, scaled
// to cover the whole screen and centred (the overflowing direction is cropped equally on
// both sides). The background pixmap outlives this connection (RetainPermanent) and is
// published as _XROOTPMAP_ID and ESETROOT_PMAP_ID; the pixmap an earlier setter left
// published under both names is released. An empty name means $DISPLAY.
// Raises EWallpaperError when the display cannot be opened, its visual holds no direct
// colours, or the server refuses a request.
void SetX11RootBackground(const std::string& displayName, const TPixelView& pixels);
