#include "app/CommandLineHelp.h"

#ifndef VELTRANE_VERSION
#define VELTRANE_VERSION "0"
#endif

namespace {

// Kept in step with the SYNOPSIS and OPTIONS of docs/veltrane.1.
constexpr const char* HelpText =
    "Usage: veltrane [/s | /p <window> | /c | /a <window> | --help | --version]\n"
    "A photo-slideshow screen saver.\n"
    "\n"
    "  /s            the full-screen saver on the primary monitor (also with no switch)\n"
    "  /p <window>   draw the slideshow into an existing X window (decimal or 0x hex id)\n"
    "                until it is hidden or destroyed; /l is the same\n"
    "  /c            the configuration dialog\n"
    "  /a <window>   the password-change dialog of an installed provider\n"
    "  --help        print this text and end\n"
    "  --version     print the version and end\n"
    "\n"
    "Switches start with / or -, in either case; /c:1234 is the same as /c 1234.\n"
    "\n"
    "Environment: DISPLAY, XDG_CONFIG_HOME (settings in veltrane/user.reg),\n"
    "XDG_RUNTIME_DIR (the single-instance lock), VELTRANE_SYSTEM_DIR (password providers).\n"
    "Exit status: 0 when done, 1 after an error reported as \"Application Error\".\n"
    "See veltrane(1).\n";

} // namespace

std::optional<std::string> CommandLineHelpText(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return std::nullopt;
    if (arguments.front() == "--help")
        return std::string(HelpText);
    if (arguments.front() == "--version")
        return std::string("veltrane " VELTRANE_VERSION "\n");
    return std::nullopt;
}
