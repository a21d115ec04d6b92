#pragma once

#include "platform/DesktopWallpaperCommand.h"
#include "platform/DisplayTypes.h"
#include "platform/Exception.h"

#include <string>
#include <string_view>
#include <vector>

// Raised when the desktop wallpaper cannot be applied; the message says why.
VELTRANE_EXCEPTION(EWallpaperError, EOSError);

// The desktop environments whose own wallpaper setting is known.
enum TDesktopKind : std::uint8_t { dkNone, dkGnome, dkCinnamon, dkMate, dkXfce };

// The environment named by a value of XDG_CURRENT_DESKTOP (a colon-separated list, the
// first known name wins, letter case ignored); dkNone when none is known.
TDesktopKind DesktopKindFromName(std::string_view names);

// A file path as a file:// address, every byte outside the unreserved set and '/'
// percent-encoded.
std::string FileAddress(std::string_view path);

// Makes a bitmap file the desktop's wallpaper on the running desktop:
// - the X root window's background becomes the image, scaled to cover the screen and
//   centred; the pixmap is kept by the server after this connection closes and is
//   announced through _XROOTPMAP_ID and ESETROOT_PMAP_ID, so that compositors, terminals
//   and later setters see it (a pixmap an earlier setter left behind is released);
// - where a desktop environment is detected, its own setting names the file too
//   (gsettings for GNOME, Cinnamon and MATE, xfconf-query for XFCE). The picture style
//   stays as the user had it.
// A missing settings tool is no failure when the root window took the image; a tool that
// runs and fails is. Nothing applied at all, or a failed tool, raises EWallpaperError.
class TDesktopWallpaper {
public:
    // The display named by DISPLAY, the environment named by XDG_CURRENT_DESKTOP and the
    // real programs.
    TDesktopWallpaper();

    void SetDisplayName(std::string name) { FDisplayName = std::move(name); }
    void SetDesktop(std::string names) { FDesktop = std::move(names); }
    void SetCommandRunner(TCommandRunner runner) { FRunner = std::move(runner); }

    // path: the absolute path of the file; pixels: the same image. A path that is empty,
    // not absolute, holds a zero byte or is longer than the system's path limit raises
    // EWallpaperError before anything is changed.
    void Apply(const std::string& path, const TPixelView& pixels);

    // What the last Apply did: the root window took the image; the commands that ran.
    bool RootWindowSet() const { return FRootSet; }
    const std::vector<std::vector<std::string>>& CommandsRun() const { return FCommandsRun; }

    // The longest path accepted (bytes, without the terminating zero).
    static std::size_t MaxPathLength();

private:
    // Runs the environment's setting commands; false when its tool is missing.
    bool ApplyDesktopSetting(TDesktopKind kind, const std::string& path);
    TCommandResult Run(const std::vector<std::string>& arguments);
    // Runs a setting command: false when its tool is missing; raises when it fails.
    bool RunSetting(const std::vector<std::string>& arguments);
    bool ApplyXfce(const std::string& path);

    std::string FDisplayName;
    std::string FDesktop;
    TCommandRunner FRunner;
    bool FRootSet = false;
    std::vector<std::vector<std::string>> FCommandsRun;
};

// TDesktopWallpaper with the real display, environment and programs.
void SetDesktopWallpaper(const std::string& path, const TPixelView& pixels);
