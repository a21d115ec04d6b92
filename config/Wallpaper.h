#pragma once

#include <cstdint>
#include <span>
#include <string>

class T_QsvImgFree;

// The poster's resource name for thumbnail n: "img0" + n up to 9, "img" + n after.
std::string WallpaperPosterName(int n);

// The wallpaper file of poster n: "Vtn" + its resource name + ".bmp".
std::string WallpaperFileName(int n);

// Writes poster n at its own size, with the engine's watermark, as an uncompressed
// 24-bit bitmap file beside the executable (overwriting it), then makes that file the
// desktop wallpaper. Raises EResNotFound for a poster that does not exist,
// EFCreateError ("Cannot create file "%s". %s") when the file cannot be written, and
// EWallpaperError when the desktop takes neither the image nor the file.
void SetWallpaper(T_QsvImgFree& engine, int n);

// The same with the file written into directory (ending in a slash); answers the path.
std::string SetWallpaperIn(T_QsvImgFree& engine, int n, const std::string& directory);

// The work of SetWallpaperIn once the poster's JPEG bytes are at hand: decodes them (a
// poster that cannot be decoded raises its decoder's error before anything is written, so
// a file already at path stays as it was), draws the watermark, writes path and applies it.
void WritePosterWallpaper(T_QsvImgFree& engine, std::span<const std::uint8_t> poster, const std::string& path);
