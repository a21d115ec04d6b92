// The configuration dialog as the screen-saver host starts it: `veltrane /c` on a private
// Xvfb, driven with real pointer and key input through XTEST, its results read from the
// settings store, the wallpaper file and the screen.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "gfx/BmpCodec.h"
#include "platform/Registry.h"
#include "support/ScopedEnvironment.h"
#include "support/TempConfigHome.h"
#include "support/TempFolder.h"
#include "support/XTestInput.h"
#include "support/XvfbServer.h"
#include "config/FrmConfig.h"
#include "lang/LanguageManager.h"
#include "platform/memory/MemoryDisplay.h"
#include "ui/Application.h"
#include "ui/Image.h"
#include "widgets/FlatButton.h"
#include "widgets/FlatRadioButton.h"
#include "widgets/GradPageControl.h"
#include "widgets/SpinEdit.h"

// Xlib last: its macros must not reach the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

constexpr const char* SettingsKey = "Software\\Tessivo\\QM_Veltrane";
constexpr int ScreenWidth = 1024;
constexpr int ScreenHeight = 768;

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Waits until condition holds or the time is up; answers the condition's last value.
template <class F>
bool WaitUntil(F condition, std::chrono::milliseconds within = 10s)
{
    const auto deadline = TClock::now() + within;
    for (;;) {
        if (condition())
            return true;
        if (TClock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
}

// `veltrane /c`, its standard error caught in a file; killed at the end if still running.
class TDialogProcess {
public:
    explicit TDialogProcess(const std::string& errPath)
    {
        std::string program = VELTRANE_EXECUTABLE;
        FPid = ::fork();
        if (FPid == 0) {
            const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (err < 0)
                ::_exit(126);
            ::dup2(err, 2);
            char* argv[] = {program.data(), const_cast<char*>("/c"), nullptr};
            ::execv(program.c_str(), argv);
            ::_exit(127);
        }
    }
    ~TDialogProcess()
    {
        if (FPid > 0 && !FExit) {
            ::kill(FPid, SIGKILL);
            ::waitpid(FPid, nullptr, 0);
        }
    }
    TDialogProcess(const TDialogProcess&) = delete;
    TDialogProcess& operator=(const TDialogProcess&) = delete;

    std::optional<int> WaitExit(std::chrono::milliseconds within)
    {
        WaitUntil([&] {
            int status = 0;
            if (!FExit && ::waitpid(FPid, &status, WNOHANG) == FPid)
                FExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return FExit.has_value();
        }, within);
        return FExit;
    }

private:
    pid_t FPid = -1;
    std::optional<int> FExit;
};

// Where the things to click lie, in the dialog's client coordinates.
struct TSpot {
    int X;
    int Y;
};

// The same dialog built in this process on a memory display tells where its controls and
// tabs lie; the program lays them out the same way.
class TDialogMap {
public:
    TDialogMap()
    {
        FApplication = std::make_unique<TApplication>(FDisplay);
        FApplication->SetOnException([](TObject*, const std::exception&) {});
        FForm = &FApplication->CreateForm<TfrmConfig>();
    }
    ~TDialogMap()
    {
        FApplication.reset();
        LangManager().SelectLanguageIndex(0);
    }
    TfrmConfig& Form() { return *FForm; }

    static TSpot Centre(const TControl& control)
    {
        const TPoint o = control.FormOrigin();
        return {o.X + control.Width() / 2, o.Y + control.Height() / 2};
    }
    // A point of a control's face near its top-left corner, away from its caption.
    static TSpot Face(const TControl& control)
    {
        const TPoint o = control.FormOrigin();
        return {o.X + 4, o.Y + 4};
    }
    TSpot Tab(int index)
    {
        const TRect tab = FForm->pgcOp->TabRect(index);
        const TPoint o = FForm->pgcOp->FormOrigin();
        return {o.X + tab.Left + tab.Width() / 2, o.Y + tab.Top + tab.Height() / 2};
    }
    TSpot Thumbnail(int n)
    {
        TImage* const images[] = {FForm->img01, FForm->img02, FForm->img03, FForm->img04, FForm->img05,
                                  FForm->img06, FForm->img07, FForm->img08, FForm->img09, FForm->img10};
        return Centre(*images[n - 1]);
    }

private:
    TMemoryDisplay FDisplay{ScreenWidth, ScreenHeight};
    std::unique_ptr<TApplication> FApplication;
    TfrmConfig* FForm = nullptr;
};

class ConfigDialogE2E : public testing::Test {
protected:
    TXvfbServer FServer{ScreenWidth, ScreenHeight};
    TScopedEnvironment FDisplayEnv{"DISPLAY", FServer.Name()};
    TScopedEnvironment FDesktopEnv{"XDG_CURRENT_DESKTOP", std::nullopt};
    TTempConfigHome FConfig;
    TTempFolder FRuntime{"veltrane-runtime"};
    TScopedEnvironment FRuntimeEnv{"XDG_RUNTIME_DIR", FRuntime.Path()};
    TTempFolder FSystem{"veltrane-system"};
    TScopedEnvironment FSystemEnv{"VELTRANE_SYSTEM_DIR", FSystem.Path()};
    TTempFolder FCapture{"veltrane-capture"};
    TXTestInput FInput{FServer.Name()};
    Display* FX = XOpenDisplay(FServer.Name().c_str());
    // Where the program writes the wallpaper of poster 3: beside itself.
    std::string FWallpaper = (std::filesystem::path(VELTRANE_EXECUTABLE).parent_path() / "Vtnimg03.bmp").string();

    void SetUp() override { ASSERT_NE(FX, nullptr); }
    void TearDown() override
    {
        if (FX)
            XCloseDisplay(FX);
    }

    std::string ErrPath() const { return FCapture.File("stderr"); }

    // Built at first use, from this test's settings store as it stands then.
    TDialogMap& Map()
    {
        if (!FMap)
            FMap = std::make_unique<TDialogMap>();
        return *FMap;
    }
    std::unique_ptr<TDialogMap> FMap;

    void Store(const char* name, std::int32_t value)
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SettingsKey, true));
        registry.WriteInteger(name, value);
    }
    std::optional<std::int32_t> Stored(const char* name)
    {
        TRegistry registry;
        if (!registry.OpenKeyReadOnly(SettingsKey) || !registry.ValueExists(name))
            return std::nullopt;
        return registry.ReadInteger(name);
    }

    // The top-level window captioned "Veltrane", once mapped; its client origin on screen.
    std::optional<TSpot> FindDialog()
    {
        std::optional<TSpot> found;
        WaitUntil([&] {
            Window rootReturn, parent;
            Window* children = nullptr;
            unsigned count = 0;
            if (!XQueryTree(FX, DefaultRootWindow(FX), &rootReturn, &parent, &children, &count))
                return false;
            for (unsigned i = 0; i < count && !found; ++i) {
                XWindowAttributes attributes;
                if (!XGetWindowAttributes(FX, children[i], &attributes) || attributes.map_state != IsViewable)
                    continue;
                char* name = nullptr;
                if (XFetchName(FX, children[i], &name) && name) {
                    if (std::string(name) == "Veltrane" && attributes.width == 450 && attributes.height == 354) {
                        int x = 0, y = 0;
                        Window child;
                        XTranslateCoordinates(FX, children[i], DefaultRootWindow(FX), 0, 0, &x, &y, &child);
                        found = TSpot{x, y};
                    }
                    XFree(name);
                }
            }
            if (children)
                XFree(children);
            return found.has_value();
        });
        // Let the first paint reach the screen.
        std::this_thread::sleep_for(300ms);
        return found;
    }

    void Click(const TSpot& dialog, const TSpot& spot)
    {
        FInput.MoveTo(dialog.X + spot.X, dialog.Y + spot.Y);
        std::this_thread::sleep_for(50ms);
        FInput.Click();
        std::this_thread::sleep_for(150ms);
    }

    // A screen pixel as 0x00RRGGBB.
    std::uint32_t ScreenPixel(int x, int y)
    {
        XImage* image = XGetImage(FX, DefaultRootWindow(FX), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0xDEADBEEF;
        const auto value = static_cast<std::uint32_t>(XGetPixel(image, 0, 0) & 0xFFFFFF);
        XDestroyImage(image);
        return value;
    }

    // The pixels of a rectangle of the dialog, row by row.
    std::vector<std::uint32_t> Capture(const TSpot& dialog, int left, int top, int width, int height)
    {
        std::vector<std::uint32_t> pixels;
        XImage* image = XGetImage(FX, DefaultRootWindow(FX), dialog.X + left, dialog.Y + top, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
        if (!image)
            return pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF));
        XDestroyImage(image);
        return pixels;
    }
    // Captions that change with the language: the Ok button (which never has the focus
    // here, unlike Cancel, the first control to take it) and the tabs.
    std::vector<std::uint32_t> Captions(const TSpot& dialog)
    {
        std::vector<std::uint32_t> all = Capture(dialog, 294, 328, 75, 25);
        const std::vector<std::uint32_t> tabs = Capture(dialog, 0, 137 + 160, 450, 25);
        all.insert(all.end(), tabs.begin(), tabs.end());
        return all;
    }
    void ParkPointer() { FInput.MoveTo(ScreenWidth - 2, ScreenHeight - 2); std::this_thread::sleep_for(150ms); }

    Pixmap RootPixmap()
    {
        const Atom atom = XInternAtom(FX, "_XROOTPMAP_ID", True);
        if (atom == None)
            return None;
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        Pixmap result = None;
        if (XGetWindowProperty(FX, DefaultRootWindow(FX), atom, 0, 1, False, XA_PIXMAP, &type, &format, &count, &after,
                               &data) == Success && data) {
            if (count == 1)
                result = static_cast<Pixmap>(*reinterpret_cast<unsigned long*>(data));
            XFree(data);
        }
        return result;
    }
};

} // namespace

TEST_F(ConfigDialogE2E, FirstStartShowsEnglishFitToScreenAndTenSecondsWhichOkStores)
{
    TDialogProcess dialog(ErrPath());
    const auto origin = FindDialog();
    ASSERT_TRUE(origin) << ReadFile(ErrPath());
    Click(*origin, TDialogMap::Centre(*Map().Form().btnAcept));
    ASSERT_EQ(dialog.WaitExit(10s), 0) << ReadFile(ErrPath());
    EXPECT_EQ(Stored("Language"), 0);
    EXPECT_EQ(Stored("View Type"), 2);
    EXPECT_EQ(Stored("Image time view"), 10);
}

TEST_F(ConfigDialogE2E, AStoredSpanishOpensInSpanishAndAClickOnEspanolSwitchesAtOnce)
{
    std::vector<std::uint32_t> english, switched, spanish;
    {
        TDialogProcess dialog(ErrPath());
        const auto origin = FindDialog();
        ASSERT_TRUE(origin) << ReadFile(ErrPath());
        ParkPointer();
        english = Captions(*origin);
        Click(*origin, Map().Tab(1));
        Click(*origin, TDialogMap::Centre(*Map().Form().radSpanish));
        // The Spanish captions move the tabs: follow them in the map.
        Map().Form().radSpanish->Click();
        Click(*origin, Map().Tab(0));
        ParkPointer();
        switched = Captions(*origin);
        Click(*origin, TDialogMap::Centre(*Map().Form().btnCancel));
        ASSERT_EQ(dialog.WaitExit(10s), 0) << ReadFile(ErrPath());
    }
    EXPECT_NE(switched, english) << "the captions change as soon as Espanol is clicked";
    EXPECT_EQ(Stored("Language"), std::nullopt) << "Cancel stores nothing";

    Store("Language", 1);
    {
        TDialogProcess dialog(ErrPath());
        const auto origin = FindDialog();
        ASSERT_TRUE(origin) << ReadFile(ErrPath());
        ParkPointer();
        spanish = Captions(*origin);
        FInput.MoveTo(origin->X + 10, origin->Y + 10);
        FInput.Tap(XK_Escape);
        ASSERT_EQ(dialog.WaitExit(10s), 0) << ReadFile(ErrPath());
    }
    EXPECT_NE(spanish, english);
    EXPECT_EQ(spanish, switched) << "a stored Spanish shows what choosing it showed";
    EXPECT_EQ(Stored("Language"), 1);
}

TEST_F(ConfigDialogE2E, TypingFiveThenOkStoresTheMinimumTen)
{
    Store("Image time view", 30);
    TDialogProcess dialog(ErrPath());
    const auto origin = FindDialog();
    ASSERT_TRUE(origin) << ReadFile(ErrPath());
    Click(*origin, Map().Tab(1));
    Click(*origin, TDialogMap::Centre(*Map().Form().txtImgWait));
    FInput.Tap(XK_End);
    for (int i = 0; i < 3; ++i)
        FInput.Tap(XK_BackSpace);
    FInput.Tap(XK_5);
    std::this_thread::sleep_for(100ms);
    Click(*origin, TDialogMap::Centre(*Map().Form().btnAcept));
    ASSERT_EQ(dialog.WaitExit(10s), 0) << ReadFile(ErrPath());
    EXPECT_EQ(Stored("Image time view"), 10);
}

TEST_F(ConfigDialogE2E, ThumbnailThreeAndTheWallpaperButtonWriteTheFileAndSetTheRootBackground)
{
    std::filesystem::remove(FWallpaper);
    TDialogProcess dialog(ErrPath());
    const auto origin = FindDialog();
    ASSERT_TRUE(origin) << ReadFile(ErrPath());
    Click(*origin, Map().Thumbnail(3));
    Click(*origin, TDialogMap::Centre(*Map().Form().btnSetWallpaper));
    ASSERT_TRUE(WaitUntil([&] { return RootPixmap() != None; }, 20s)) << ReadFile(ErrPath());
    ASSERT_TRUE(std::filesystem::exists(FWallpaper));
    TBmpInfo info;
    const TBitmap written = TBmpCodec().ReadFile(FWallpaper, &info);
    EXPECT_EQ(info.Width, 1200);
    EXPECT_EQ(info.Height, 798);
    EXPECT_EQ(info.BitCount, 24);
    // 1200 x 798 covering 1024 x 768: 1155 wide, 65 columns cut on the left. A corner the
    // dialog does not cover shows the poster.
    const int x = 1000, y = 700;
    const std::uint32_t bgr = written.GetPixel((x + 65) * 1200 / 1155, y * 798 / 768);
    const std::uint32_t rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
    EXPECT_EQ(ScreenPixel(x, y), rgb);
    Click(*origin, TDialogMap::Centre(*Map().Form().btnCancel));
    EXPECT_EQ(dialog.WaitExit(10s), 0) << ReadFile(ErrPath());
    std::filesystem::remove(FWallpaper);
}

TEST_F(ConfigDialogE2E, TheWallpaperButtonIsDisabledUntilAThumbnailIsClicked)
{
    TDialogProcess dialog(ErrPath());
    const auto origin = FindDialog();
    ASSERT_TRUE(origin) << ReadFile(ErrPath());
    ParkPointer();
    EXPECT_EQ(ScreenPixel(origin->X + TDialogMap::Face(*Map().Form().btnSetWallpaper).X, origin->Y + TDialogMap::Face(*Map().Form().btnSetWallpaper).Y), 0xEAE9E1u)
        << "the disabled fill";
    Click(*origin, TDialogMap::Centre(*Map().Form().btnSetWallpaper));
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(RootPixmap(), static_cast<Pixmap>(None)) << "no wallpaper was set";
    EXPECT_EQ(ReadFile(ErrPath()), "") << "and nothing was tried";
    Click(*origin, Map().Thumbnail(1));
    ParkPointer();
    EXPECT_EQ(ScreenPixel(origin->X + TDialogMap::Face(*Map().Form().btnSetWallpaper).X, origin->Y + TDialogMap::Face(*Map().Form().btnSetWallpaper).Y), 0xCED3E7u)
        << "the normal fill";
    Click(*origin, TDialogMap::Centre(*Map().Form().btnCancel));
    EXPECT_EQ(dialog.WaitExit(10s), 0) << ReadFile(ErrPath());
}

TEST_F(ConfigDialogE2E, AStoredLanguageTwoIsReportedThenTheDialogOpensWithItsDesignChoices)
{
    Store("Language", 2);
    Store("View Type", 0);
    Store("Image time view", 45);
    TDialogProcess dialog(ErrPath());
    ASSERT_TRUE(WaitUntil([&] { return ReadFile(ErrPath()).find("List index out of bounds (1)") != std::string::npos; }))
        << ReadFile(ErrPath());
    // The message box comes first; Enter dismisses it.
    std::this_thread::sleep_for(300ms);
    FInput.MoveTo(ScreenWidth / 2, ScreenHeight / 2);
    FInput.Tap(XK_Return);
    const auto origin = FindDialog();
    ASSERT_TRUE(origin) << ReadFile(ErrPath());
    Click(*origin, TDialogMap::Centre(*Map().Form().btnAcept));
    ASSERT_EQ(dialog.WaitExit(10s), 0) << ReadFile(ErrPath());
    // English, "Scale image proportionally" and 10: what the form was designed with.
    EXPECT_EQ(Stored("Language"), 0);
    EXPECT_EQ(Stored("View Type"), 1);
    EXPECT_EQ(Stored("Image time view"), 10);
}
