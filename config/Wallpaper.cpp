#include "config/Wallpaper.h"

#include "engine/QsvImgFree.h"
#include "gfx/BmpCodec.h"
#include "gfx/JpegDecoder.h"
#include "platform/DesktopWallpaper.h"
#include "platform/Kernel.h"
#include "platform/Resources.h"

#include <filesystem>

std::string WallpaperPosterName(int n)
{
    return (n <= 9 ? "img0" : "img") + std::to_string(n);
}

std::string WallpaperFileName(int n)
{
    return "Vtn" + WallpaperPosterName(n) + ".bmp";
}

std::string SetWallpaperIn(T_QsvImgFree& engine, int n, const std::string& directory)
{
    const std::string name = WallpaperPosterName(n);
    const std::string path = directory + WallpaperFileName(n);
    // Never relative to whatever the current folder happens to be.
    if (directory.empty() || !std::filesystem::path(directory).is_absolute())
        throw EFCreateError("Cannot create file \"" + path + "\". The program's folder is not known.");

    WritePosterWallpaper(engine, LoadResource("RCDATA", name), path);
    return path;
}

void WritePosterWallpaper(T_QsvImgFree& engine, std::span<const std::uint8_t> jpeg, const std::string& path)
{
    TBitmap poster = DecodeJpeg(jpeg);
    engine.DrawWatermark(poster);
    TBmpCodec::WriteFile(poster, path);
    SetDesktopWallpaper(path, poster.PixelView());
}

void SetWallpaper(T_QsvImgFree& engine, int n)
{
    SetWallpaperIn(engine, n, GetExecutableDirectory());
}
