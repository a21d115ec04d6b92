#pragma once

#include <string_view>

// The maker's web address as a bare host name (no scheme). It is the watermark text of
// the full-screen saver and the wallpaper, and the link the configuration dialog shows.
inline constexpr std::string_view MakerAddress = "www.veltrane.org";
