#include "platform/DesktopWallpaper.h"

#include "platform/AsciiText.h"
#include "platform/x11/X11DesktopWallpaper.h"

#include <climits>
#include <cstdlib>

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

TDesktopKind KindOf(std::string_view name)
{
    for (std::string_view gnome : {"GNOME", "Unity", "Budgie", "Pantheon"})
        if (SameText(name, gnome))
            return dkGnome;
    if (SameText(name, "Cinnamon") || SameText(name, "X-Cinnamon"))
        return dkCinnamon;
    if (SameText(name, "MATE"))
        return dkMate;
    if (SameText(name, "XFCE"))
        return dkXfce;
    return dkNone;
}

// A string in the text form gsettings parses values from: single quotes, with backslash
// escapes for quotes and backslashes.
std::string QuotedValue(std::string_view text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "'";
}

std::string CommandText(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const std::string& argument : arguments)
        text += (text.empty() ? "" : " ") + argument;
    return text;
}

bool EndsWith(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

} // namespace

TDesktopKind DesktopKindFromName(std::string_view names)
{
    while (!names.empty()) {
        const std::size_t colon = names.find(':');
        const TDesktopKind kind = KindOf(names.substr(0, colon));
        if (kind != dkNone)
            return kind;
        if (colon == std::string_view::npos)
            break;
        names.remove_prefix(colon + 1);
    }
    return dkNone;
}

std::string FileAddress(std::string_view path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string address = "file://";
    for (unsigned char c : path) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'
                           || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            address += static_cast<char>(c);
        } else {
            address += '%';
            address += hex[c >> 4];
            address += hex[c & 15];
        }
    }
    return address;
}

TDesktopWallpaper::TDesktopWallpaper()
    : FDisplayName(Environment("DISPLAY")), FDesktop(Environment("XDG_CURRENT_DESKTOP")),
      FRunner([](const std::vector<std::string>& arguments) { return RunCommand(arguments); })
{
}

std::size_t TDesktopWallpaper::MaxPathLength()
{
    return PATH_MAX - 1;
}

void TDesktopWallpaper::Apply(const std::string& path, const TPixelView& pixels)
{
    FRootSet = false;
    FCommandsRun.clear();
    if (path.empty() || path[0] != '/')
        throw EWallpaperError("Cannot set the desktop wallpaper. The path \"" + path + "\" is not absolute.");
    if (path.find('\0') != std::string::npos)
        throw EWallpaperError("Cannot set the desktop wallpaper. The path holds a zero character.");
    if (path.size() > MaxPathLength())
        throw EWallpaperError("Cannot set the desktop wallpaper. The path is " + std::to_string(path.size())
                              + " characters long; the system takes at most " + std::to_string(MaxPathLength()) + ".");

    std::string rootFailure;
    try {
        SetX11RootBackground(FDisplayName, pixels);
        FRootSet = true;
    } catch (const EWallpaperError& e) {
        rootFailure = e.what();
    }
    const TDesktopKind kind = DesktopKindFromName(FDesktop);
    const bool desktopSet = kind != dkNone && ApplyDesktopSetting(kind, path);
    if (!FRootSet && !desktopSet) {
        if (kind != dkNone)
            rootFailure += " The desktop's settings tool was not found either.";
        throw EWallpaperError(rootFailure);
    }
}

TCommandResult TDesktopWallpaper::Run(const std::vector<std::string>& arguments)
{
    FCommandsRun.push_back(arguments);
    return FRunner(arguments);
}

bool TDesktopWallpaper::RunSetting(const std::vector<std::string>& arguments)
{
    const TCommandResult result = Run(arguments);
    if (!result.Started)
        return false;
    if (result.ExitCode != 0)
        throw EWallpaperError("Cannot set the desktop wallpaper. \"" + CommandText(arguments) + "\" failed"
                              + (result.ExitCode < 0 ? std::string(".") : " with exit code " + std::to_string(result.ExitCode) + "."));
    return true;
}

bool TDesktopWallpaper::ApplyDesktopSetting(TDesktopKind kind, const std::string& path)
{
    const std::string address = QuotedValue(FileAddress(path));
    switch (kind) {
    case dkGnome:
        if (!RunSetting({"gsettings", "set", "org.gnome.desktop.background", "picture-uri", address}))
            return false;
        // The dark-style key exists only on newer desktops; its absence is no failure.
        Run({"gsettings", "set", "org.gnome.desktop.background", "picture-uri-dark", address});
        return true;
    case dkCinnamon:
        return RunSetting({"gsettings", "set", "org.cinnamon.desktop.background", "picture-uri", address});
    case dkMate:
        return RunSetting({"gsettings", "set", "org.mate.background", "picture-filename", QuotedValue(path)});
    case dkXfce:
        return ApplyXfce(path);
    case dkNone:
        break;
    }
    return false;
}

bool TDesktopWallpaper::ApplyXfce(const std::string& path)
{
    // Every monitor and workspace has its own "last-image" property; set all that exist.
    const TCommandResult list = Run({"xfconf-query", "-c", "xfce4-desktop", "-l"});
    if (!list.Started)
        return false;
    std::vector<std::string> properties;
    std::size_t start = 0;
    while (list.ExitCode == 0 && start < list.Output.size()) {
        std::size_t end = list.Output.find('\n', start);
        if (end == std::string::npos)
            end = list.Output.size();
        std::string line = list.Output.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty() && line[0] == '/' && EndsWith(line, "/last-image"))
            properties.push_back(line);
        start = end + 1;
    }
    if (properties.empty())
        return RunSetting({"xfconf-query", "-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitor0/workspace0/last-image",
                           "-n", "-t", "string", "-s", path});
    for (const std::string& property : properties)
        RunSetting({"xfconf-query", "-c", "xfce4-desktop", "-p", property, "-s", path});
    return true;
}

void SetDesktopWallpaper(const std::string& path, const TPixelView& pixels)
{
    TDesktopWallpaper wallpaper;
    wallpaper.Apply(path, pixels);
}
