#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/DesktopWallpaper.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/XConnection.h"
#include "support/XvfbServer.h"

namespace {

using TArgs = std::vector<std::string>;

// A runner that records nothing itself (the wallpaper object keeps the commands) and
// answers from a table: tools not in it are missing.
struct TFakeTools {
    std::vector<std::string> Present{"gsettings", "xfconf-query"};
    std::string FailingKey;       // a gsettings key whose setting fails with exit code 1
    std::string XfceListing;      // what "xfconf-query -l" prints

    TCommandRunner Runner()
    {
        return [this](const TArgs& args) {
            TCommandResult result;
            for (const std::string& tool : Present)
                result.Started = result.Started || tool == args[0];
            if (!result.Started)
                return result;
            result.ExitCode = 0;
            if (!FailingKey.empty() && args.size() > 3 && args[3] == FailingKey)
                result.ExitCode = 1;
            if (args.size() > 3 && args[3] == "-l")
                result.Output = XfceListing;
            return result;
        };
    }
};

// A small image of four flat quadrants: top-left red, top-right green, bottom-left blue,
// bottom-right white. Colours as 0x00RRGGBB.
constexpr std::uint32_t Quadrant[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};

struct TQuadrants {
    int Width;
    int Height;
    std::vector<std::uint8_t> Bits;

    TQuadrants(int width, int height) : Width(width), Height(height), Bits(static_cast<std::size_t>(Stride() * height))
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint32_t rgb = Quadrant[y * 2 / height][x * 2 / width];
                std::uint8_t* p = &Bits[static_cast<std::size_t>((height - 1 - y) * Stride() + x * 3)];
                p[0] = rgb & 0xFF;
                p[1] = (rgb >> 8) & 0xFF;
                p[2] = (rgb >> 16) & 0xFF;
            }
    }
    int Stride() const { return (Width * 3 + 3) / 4 * 4; }
    TPixelView View() const
    {
        TPixelView view;
        view.Bits = Bits.data();
        view.Width = Width;
        view.Height = Height;
        view.Stride = static_cast<std::size_t>(Stride());
        view.BottomUp = true;
        view.BytesPerPixel = 3;
        return view;
    }
};

TDesktopWallpaper Wallpaper(const std::string& display, const std::string& desktop, TFakeTools& tools)
{
    TDesktopWallpaper wallpaper;
    wallpaper.SetDisplayName(display);
    wallpaper.SetDesktop(desktop);
    wallpaper.SetCommandRunner(tools.Runner());
    return wallpaper;
}

std::string Message(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EWallpaperError& e) {
        return e.what();
    }
    return "";
}

const std::string NoDisplay = ":65000";  // nothing listens there
const TQuadrants SmallImage(40, 30);

} // namespace

TEST(DesktopKind, FirstKnownNameOfTheListWins)
{
    EXPECT_EQ(DesktopKindFromName("GNOME"), dkGnome);
    EXPECT_EQ(DesktopKindFromName("ubuntu:GNOME"), dkGnome);
    EXPECT_EQ(DesktopKindFromName("Budgie:GNOME"), dkGnome);
    EXPECT_EQ(DesktopKindFromName("X-Cinnamon"), dkCinnamon);
    EXPECT_EQ(DesktopKindFromName("mate"), dkMate);
    EXPECT_EQ(DesktopKindFromName("XFCE"), dkXfce);
    EXPECT_EQ(DesktopKindFromName("KDE"), dkNone);
    EXPECT_EQ(DesktopKindFromName(""), dkNone);
    EXPECT_EQ(DesktopKindFromName("::"), dkNone);
}

TEST(DesktopKind, FileAddressesEncodeEveryByteOutsideTheSafeSet)
{
    EXPECT_EQ(FileAddress("/tmp/Vtnimg03.bmp"), "file:///tmp/Vtnimg03.bmp");
    EXPECT_EQ(FileAddress("/a b/\xC3\xB1'%.bmp"), "file:///a%20b/%C3%B1%27%25.bmp");
}

TEST(DesktopSettings, GnomeGetsBothKeysAsQuotedAddresses)
{
    TFakeTools tools;
    TDesktopWallpaper wallpaper = Wallpaper(NoDisplay, "ubuntu:GNOME", tools);
    wallpaper.Apply("/home/u/it's.bmp", SmallImage.View());
    EXPECT_FALSE(wallpaper.RootWindowSet());
    EXPECT_EQ(wallpaper.CommandsRun(),
              (std::vector<TArgs>{{"gsettings", "set", "org.gnome.desktop.background", "picture-uri", "'file:///home/u/it%27s.bmp'"},
                                  {"gsettings", "set", "org.gnome.desktop.background", "picture-uri-dark", "'file:///home/u/it%27s.bmp'"}}));
}

TEST(DesktopSettings, ADarkKeyTheDesktopLacksIsNoFailure)
{
    TFakeTools tools;
    tools.FailingKey = "picture-uri-dark";
    TDesktopWallpaper wallpaper = Wallpaper(NoDisplay, "GNOME", tools);
    EXPECT_NO_THROW(wallpaper.Apply("/w.bmp", SmallImage.View()));
}

TEST(DesktopSettings, CinnamonAndMateUseTheirOwnSchemas)
{
    TFakeTools tools;
    TDesktopWallpaper cinnamon = Wallpaper(NoDisplay, "X-Cinnamon", tools);
    cinnamon.Apply("/w.bmp", SmallImage.View());
    EXPECT_EQ(cinnamon.CommandsRun(),
              (std::vector<TArgs>{{"gsettings", "set", "org.cinnamon.desktop.background", "picture-uri", "'file:///w.bmp'"}}));
    TDesktopWallpaper mate = Wallpaper(NoDisplay, "MATE", tools);
    mate.Apply("/a\\b.bmp", SmallImage.View());
    EXPECT_EQ(mate.CommandsRun(), (std::vector<TArgs>{{"gsettings", "set", "org.mate.background", "picture-filename", "'/a\\\\b.bmp'"}}));
}

TEST(DesktopSettings, XfceSetsEveryLastImageProperty)
{
    TFakeTools tools;
    tools.XfceListing = "/backdrop/screen0/monitor0/workspace0/last-image\n"
                        "/backdrop/screen0/monitor0/workspace0/image-style\n"
                        "/backdrop/screen0/monitorHDMI-1/workspace1/last-image\r\n";
    TDesktopWallpaper wallpaper = Wallpaper(NoDisplay, "XFCE", tools);
    wallpaper.Apply("/w x.bmp", SmallImage.View());
    EXPECT_EQ(wallpaper.CommandsRun(),
              (std::vector<TArgs>{{"xfconf-query", "-c", "xfce4-desktop", "-l"},
                                  {"xfconf-query", "-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitor0/workspace0/last-image", "-s", "/w x.bmp"},
                                  {"xfconf-query", "-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitorHDMI-1/workspace1/last-image", "-s", "/w x.bmp"}}));
}

TEST(DesktopSettings, XfceWithoutAnyBackdropYetCreatesTheFirstOne)
{
    TFakeTools tools;
    TDesktopWallpaper wallpaper = Wallpaper(NoDisplay, "XFCE", tools);
    wallpaper.Apply("/w.bmp", SmallImage.View());
    ASSERT_EQ(wallpaper.CommandsRun().size(), 2u);
    EXPECT_EQ(wallpaper.CommandsRun()[1],
              (TArgs{"xfconf-query", "-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitor0/workspace0/last-image", "-n", "-t",
                     "string", "-s", "/w.bmp"}));
}

TEST(DesktopFailures, WhenNothingTakesTheImageItIsAnError)
{
    TFakeTools tools;
    tools.Present.clear();
    EXPECT_EQ(Message([&] { Wallpaper(NoDisplay, "", tools).Apply("/w.bmp", SmallImage.View()); }),
              "Cannot set the desktop background. Cannot open display \":65000\".");
    EXPECT_EQ(Message([&] { Wallpaper(NoDisplay, "GNOME", tools).Apply("/w.bmp", SmallImage.View()); }),
              "Cannot set the desktop background. Cannot open display \":65000\". The desktop's settings tool was not found either.");
}

TEST(DesktopFailures, ASettingsToolThatFailsIsReportedWithItsCommand)
{
    TFakeTools tools;
    tools.FailingKey = "picture-uri";
    EXPECT_EQ(Message([&] { Wallpaper(NoDisplay, "GNOME", tools).Apply("/w.bmp", SmallImage.View()); }),
              "Cannot set the desktop wallpaper. \"gsettings set org.gnome.desktop.background picture-uri 'file:///w.bmp'\" "
              "failed with exit code 1.");
}

TEST(DesktopFailures, PathsTheSystemCannotTakeAreRefusedWholeBeforeAnythingChanges)
{
    TFakeTools tools;
    TDesktopWallpaper wallpaper = Wallpaper(NoDisplay, "GNOME", tools);
    // A long path is never cut: a cut path would name another file.
    const std::string longest = "/" + std::string(TDesktopWallpaper::MaxPathLength() - 1, 'a');
    EXPECT_NO_THROW(wallpaper.Apply(longest, SmallImage.View()));
    EXPECT_EQ(wallpaper.CommandsRun()[0][4], "'file://" + longest + "'");
    const std::string tooLong = longest + "b";
    EXPECT_EQ(Message([&] { wallpaper.Apply(tooLong, SmallImage.View()); }),
              "Cannot set the desktop wallpaper. The path is " + std::to_string(tooLong.size())
                  + " characters long; the system takes at most " + std::to_string(TDesktopWallpaper::MaxPathLength()) + ".");
    EXPECT_TRUE(wallpaper.CommandsRun().empty());
    EXPECT_EQ(Message([&] { wallpaper.Apply("Vtnimg01.bmp", SmallImage.View()); }),
              "Cannot set the desktop wallpaper. The path \"Vtnimg01.bmp\" is not absolute.");
    EXPECT_EQ(Message([&] { wallpaper.Apply(std::string("/a\0b", 4), SmallImage.View()); }),
              "Cannot set the desktop wallpaper. The path holds a zero character.");
    EXPECT_TRUE(wallpaper.CommandsRun().empty());
}

// --- real programs --------------------------------------------------------------------

TEST(DesktopCommands, RunsWithoutAShellAndCollectsOutputAndExitCode)
{
    const TCommandResult echo = RunCommand({"sh", "-c", "printf '%s|' \"$@\"; exit 3", "sh", "a b", "$HOME", "'q'"});
    EXPECT_TRUE(echo.Started);
    EXPECT_EQ(echo.ExitCode, 3);
    EXPECT_EQ(echo.Output, "a b|$HOME|'q'|");
    const TCommandResult missing = RunCommand({"veltrane-no-such-tool"});
    EXPECT_FALSE(missing.Started);
    EXPECT_FALSE(RunCommand({}).Started);
}

TEST(DesktopCommands, AProgramThatHangsIsKilledAtTheTimeout)
{
    const TCommandResult hung = RunCommand({"sleep", "30"}, std::chrono::milliseconds(200));
    EXPECT_TRUE(hung.Started);
    EXPECT_EQ(hung.ExitCode, -1);
}

TEST(DesktopCommands, TheRealGsettingsSeesTheQuotedAddress)
{
    // A stand-in gsettings early in PATH writes down the arguments it was given.
    TTempFolder folder;
    const std::string log = folder.File("args.txt");
    {
        std::ofstream script(folder.File("gsettings"));
        script << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << log << "'\n";
    }
    ASSERT_EQ(::chmod(folder.File("gsettings").c_str(), 0755), 0);
    const char* path = std::getenv("PATH");
    TScopedEnvironment env("PATH", folder.Path() + ":" + (path ? path : "/usr/bin:/bin"));
    TDesktopWallpaper wallpaper;
    wallpaper.SetDisplayName(NoDisplay);
    wallpaper.SetDesktop("Cinnamon");
    wallpaper.Apply("/tmp/my pictures/Vtnimg03.bmp", SmallImage.View());
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "set\norg.cinnamon.desktop.background\npicture-uri\n'file:///tmp/my%20pictures/Vtnimg03.bmp'\n");
}

// --- the X root window ----------------------------------------------------------------

namespace {

class RootBackgroundTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Server = std::make_unique<TXvfbServer>(320, 240); }
    static void TearDownTestSuite() { Server.reset(); }

    void SetUp() override
    {
        FConnection = std::make_unique<TXConnection>(Server->Name());
        FDisplay = FConnection->Get();
    }

    Window Root() const { return DefaultRootWindow(FDisplay); }

    // The root window's pixels as 0x00RRGGBB (Xvfb's 24-bit visual).
    std::uint32_t RootPixel(int x, int y) const
    {
        XImage* image = XGetImage(FDisplay, Root(), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0xDEADBEEF;
        const unsigned long value = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return static_cast<std::uint32_t>(value & 0xFFFFFF);
    }

    Pixmap PixmapProperty(const char* name) const
    {
        const Atom atom = XInternAtom(FDisplay, name, True);
        if (atom == None)
            return None;
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        Pixmap result = None;
        if (XGetWindowProperty(FDisplay, Root(), atom, 0, 1, False, XA_PIXMAP, &type, &format, &count, &after, &data) == Success && data) {
            if (count == 1)
                result = static_cast<Pixmap>(*reinterpret_cast<unsigned long*>(data));
            XFree(data);
        }
        return result;
    }

    void Apply(const TQuadrants& image)
    {
        TFakeTools tools;
        TDesktopWallpaper wallpaper = Wallpaper(Server->Name(), "", tools);
        wallpaper.Apply("/tmp/w.bmp", image.View());
        EXPECT_TRUE(wallpaper.RootWindowSet());
        EXPECT_TRUE(wallpaper.CommandsRun().empty());
    }

    static std::unique_ptr<TXvfbServer> Server;
    std::unique_ptr<TXConnection> FConnection;
    Display* FDisplay = nullptr;
};

std::unique_ptr<TXvfbServer> RootBackgroundTest::Server;

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

} // namespace

TEST_F(RootBackgroundTest, AnImageOfTheScreensShapeCoversTheRootWindow)
{
    Apply(TQuadrants(40, 30));
    EXPECT_EQ(RootPixel(0, 0), 0xFF0000u);
    EXPECT_EQ(RootPixel(159, 119), 0xFF0000u);
    EXPECT_EQ(RootPixel(160, 0), 0x00FF00u);
    EXPECT_EQ(RootPixel(319, 119), 0x00FF00u);
    EXPECT_EQ(RootPixel(0, 120), 0x0000FFu);
    EXPECT_EQ(RootPixel(319, 239), 0xFFFFFFu);
}

TEST_F(RootBackgroundTest, AWiderImageIsCentredAndCroppedAtBothSides)
{
    // 80 x 30 scaled to a height of 240 is 640 wide: 160 columns are cut on each side,
    // so the seam between the quadrants stays at the screen's centre.
    Apply(TQuadrants(80, 30));
    EXPECT_EQ(RootPixel(0, 0), 0xFF0000u);
    EXPECT_EQ(RootPixel(159, 0), 0xFF0000u);
    EXPECT_EQ(RootPixel(160, 0), 0x00FF00u);
    EXPECT_EQ(RootPixel(0, 239), 0x0000FFu);
}

TEST_F(RootBackgroundTest, ThePixmapIsPublishedAndOutlivesTheSettingConnection)
{
    Apply(TQuadrants(40, 30));
    const Pixmap first = PixmapProperty("_XROOTPMAP_ID");
    ASSERT_NE(first, static_cast<Pixmap>(None));
    EXPECT_EQ(PixmapProperty("ESETROOT_PMAP_ID"), first);
    Window root;
    int x, y;
    unsigned width, height, border, depth;
    ASSERT_TRUE(XGetGeometry(FDisplay, first, &root, &x, &y, &width, &height, &border, &depth));
    EXPECT_EQ(width, 320u);
    EXPECT_EQ(height, 240u);
    // Its pixels are the wallpaper too, for programs that draw it themselves.
    XImage* image = XGetImage(FDisplay, first, 300, 200, 1, 1, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(XGetPixel(image, 0, 0) & 0xFFFFFF, 0xFFFFFFu);
    XDestroyImage(image);
}

TEST_F(RootBackgroundTest, ASecondWallpaperReleasesTheFirstPixmap)
{
    Apply(TQuadrants(40, 30));
    const Pixmap first = PixmapProperty("_XROOTPMAP_ID");
    Apply(TQuadrants(30, 40));
    const Pixmap second = PixmapProperty("_XROOTPMAP_ID");
    ASSERT_NE(second, static_cast<Pixmap>(None));
    EXPECT_NE(second, first);
    XSync(FDisplay, False);
    XErrorHandler old = XSetErrorHandler(IgnoreErrors);
    Window root;
    int x, y;
    unsigned width, height, border, depth;
    EXPECT_FALSE(XGetGeometry(FDisplay, first, &root, &x, &y, &width, &height, &border, &depth));
    XSync(FDisplay, False);
    XSetErrorHandler(old);
}
