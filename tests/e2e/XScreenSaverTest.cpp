// Veltrane under the real xscreensaver daemon, as a user sets it up: a programs: list that
// holds only "veltrane -p $XSCREENSAVER_WINDOW", the daemon of an unprivileged user on a
// private Xvfb, activated and deactivated with xscreensaver-command.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/FileText.h"
#include "support/ProgramProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/WaitUntil.h"
#include "support/XConnection.h"
#include "support/XvfbServer.h"

// Xlib last: its macros must not reach the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// xscreensaver runs no screen saver for root: the daemon runs as this user.
constexpr const char* SaverUser = "veltrane-test";

// The pids of the processes running the executable at path.
std::set<pid_t> ProcessesOf(const fs::path& path)
{
    std::set<pid_t> found;
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc", ignored)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const fs::path exe = fs::read_symlink(entry.path() / "exe", ignored);
        if (!ignored && exe == path)
            found.insert(static_cast<pid_t>(std::stoi(name)));
    }
    return found;
}

class XScreenSaver : public testing::Test {
protected:
    TXvfbServer FServer{800, 600};
    TScopedEnvironment FDisplayEnv{"DISPLAY", FServer.Name()};
    TTempFolder FHome{"veltrane-xscreensaver"};
    TScopedEnvironment FHomeEnv{"HOME", FHome.Path()};
    TScopedEnvironment FConfigEnv{"XDG_CONFIG_HOME", FHome.File(".config")};
    TScopedEnvironment FRuntimeEnv{"XDG_RUNTIME_DIR", std::nullopt};
    TScopedEnvironment FSystemEnv{"VELTRANE_SYSTEM_DIR", std::nullopt};
    // A copy in the user's own folder, which it can run wherever the build tree lies.
    fs::path FProgram = fs::path(FHome.Path()) / "bin" / "veltrane";
    std::string FUser;  // empty: this process is not root and runs the daemon itself
    std::unique_ptr<TXConnection> FConnection;
    Display* FX = nullptr;

    // Makes the home folder and the program the daemon's user's; false with a reason
    // when no unprivileged user can be had.
    bool PrepareUser(std::string& reason)
    {
        fs::create_directories(FProgram.parent_path());
        fs::create_directories(FHome.File(".config"));
        fs::copy_file(VELTRANE_EXECUTABLE, FProgram);
        if (::geteuid() != 0)
            return true;
        if (!::getpwnam(SaverUser)) {
            TProgramProcess add(VELTRANE_USERADD, {"--system", "--no-create-home", "--home-dir", "/nonexistent",
                                                   "--shell", "/usr/sbin/nologin", SaverUser});
            if (add.WaitExit(30s) != 0 && !::getpwnam(SaverUser)) {
                reason = std::string("cannot create the user ") + SaverUser + " with " + VELTRANE_USERADD;
                return false;
            }
        }
        const passwd* user = ::getpwnam(SaverUser);
        if (!user) {
            reason = std::string("no user ") + SaverUser;
            return false;
        }
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(FHome.Path()))
            if (::lchown(entry.path().c_str(), user->pw_uid, user->pw_gid) != 0)
                return reason = "cannot give " + entry.path().string() + " to " + SaverUser, false;
        if (::chown(FHome.Path().c_str(), user->pw_uid, user->pw_gid) != 0)
            return reason = "cannot give " + FHome.Path() + " to " + SaverUser, false;
        FUser = SaverUser;
        return true;
    }

    void WriteSettings()
    {
        std::ofstream(FHome.File(".xscreensaver"))
            << "mode:\tone\nselected:\t0\nlock:\tFalse\nfade:\tFalse\nunfade:\tFalse\nsplash:\tFalse\n"
               "dpmsEnabled:\tFalse\ngrabDesktopImages:\tFalse\ngrabVideoFrames:\tFalse\n"
               "timeout:\t1:00:00\ncycle:\t0:00:00\n"
               "programs:\t" << FProgram.string() << " -p $XSCREENSAVER_WINDOW \\n\n";
        if (!FUser.empty()) {
            const passwd* user = ::getpwnam(FUser.c_str());
            ASSERT_EQ(::chown(FHome.File(".xscreensaver").c_str(), user->pw_uid, user->pw_gid), 0);
        }
    }

    // The daemon, as the unprivileged user when this process is root.
    std::unique_ptr<TProgramProcess> StartDaemon()
    {
        std::vector<std::string> command{VELTRANE_XSCREENSAVER, "--no-splash", "--verbose"};
        if (FUser.empty())
            return std::make_unique<TProgramProcess>(command[0], std::vector<std::string>(command.begin() + 1, command.end()),
                                                     FHome.File("daemon.log"));
        std::vector<std::string> switches{"--reuid=" + FUser, "--regid=" + FUser, "--clear-groups", "--"};
        switches.insert(switches.end(), command.begin(), command.end());
        return std::make_unique<TProgramProcess>(VELTRANE_SETPRIV, switches, FHome.File("daemon.log"));
    }

    // xscreensaver-command with one switch: its exit code, nothing when it hung.
    std::optional<int> Command(const std::string& what)
    {
        return TProgramProcess(VELTRANE_XSCREENSAVER_COMMAND, {what}, FHome.File("command.log"),
                               FHome.File("command.out"))
            .WaitExit(10s);
    }

    // Distinct colours among a grid of screen points, and how many of them are black.
    std::pair<std::size_t, int> ScreenColours()
    {
        XImage* image = XGetImage(FX, DefaultRootWindow(FX), 0, 0, 800, 600, AllPlanes, ZPixmap);
        if (!image)
            return {0, 0};
        std::set<unsigned long> colours;
        int black = 0;
        for (int y = 15; y < 600; y += 30)
            for (int x = 20; x < 800; x += 40) {
                const unsigned long pixel = XGetPixel(image, x, y) & 0xFFFFFF;
                colours.insert(pixel);
                black += pixel == 0;
            }
        XDestroyImage(image);
        return {colours.size(), black};
    }
};

TEST_F(XScreenSaver, ActivatedItShowsTheSlideshowAndDeactivatedTheProgramEnds)
{
    for (const char* tool : {VELTRANE_XSCREENSAVER, VELTRANE_XSCREENSAVER_COMMAND})
        ASSERT_TRUE(fs::exists(tool)) << tool << " is missing (tools/install-deps installs xscreensaver)";
    std::string reason;
    if (!PrepareUser(reason))
        GTEST_SKIP() << "xscreensaver runs no screen saver for root and " << reason;
    WriteSettings();
    FConnection = std::make_unique<TXConnection>(FServer.Name());
    FX = FConnection->Get();

    ASSERT_LT(ScreenColours().first, 64u) << "no poster before the saver starts";

    auto daemon = StartDaemon();
    // The daemon answers once it has set itself up on the display.
    ASSERT_TRUE(WaitUntil([&] { return Command("-activate") == 0; }, 20s)) << ReadFileText(FHome.File("daemon.log"));
    ASSERT_TRUE(WaitUntil([&] { return !ProcessesOf(FProgram).empty(); }, 20s))
        << "veltrane was not started\n" << ReadFileText(FHome.File("daemon.log"));
    // A poster fills the saver's window: many colours, hardly any black.
    std::pair<std::size_t, int> shown;
    EXPECT_TRUE(WaitUntil([&] {
        shown = ScreenColours();
        return shown.first >= 64 && shown.second <= 20;
    }, 20s)) << shown.first << " colours, " << shown.second << " of 400 points black\n"
             << ReadFileText(FHome.File("daemon.log"));

    ASSERT_EQ(Command("-deactivate"), 0);
    EXPECT_TRUE(WaitUntil([&] { return ProcessesOf(FProgram).empty(); }, 10s))
        << "veltrane still runs after the saver was dismissed\n" << ReadFileText(FHome.File("daemon.log"));
    Command("-exit");
    EXPECT_TRUE(daemon->WaitExit(10s).has_value()) << "the daemon did not end on -exit";
}

} // namespace
