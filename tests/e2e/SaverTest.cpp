// The full-screen saver as the screen-saver host runs it: `veltrane /s` on a private Xvfb,
// real input through XTEST, the screen read back.

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>

#include "engine/QsvImgFree.h"
#include "platform/CommandLine.h"
#include "platform/Registry.h"
#include "platform/memory/MemoryDisplay.h"
#include "platform/x11/X11Display.h"
#include "support/ProgramProcess.h"
#include "support/FileText.h"
#include "support/HostWindow.h"
#include "support/PrivateEnvironment.h"
#include "support/ScopedEnvironment.h"
#include "support/ScreenReader.h"
#include "support/TempFolder.h"
#include "support/WaitUntil.h"
#include "support/WindowSearch.h"
#include "support/XConnection.h"
#include "support/XTestInput.h"
#include "support/XvfbServer.h"

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;
using TPixels = std::vector<std::uint32_t>;

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;

// A connection of the test's own, to look at the windows and the cursor.
class TProbe {
public:
    explicit TProbe(const std::string& name) : FConnection(name), FDisplay(FConnection.Get()) {}

    // The viewable top-level windows that no window manager manages, as (x, y, w, h), and
    // whether the topmost viewable window is one of them.
    std::vector<std::array<int, 4>> UnmanagedWindows(bool* topmost = nullptr)
    {
        std::vector<std::array<int, 4>> found;
        const std::vector<TTopWindow> windows = ViewableTopWindows(FConnection);
        for (const TTopWindow& window : windows)
            if (window.Unmanaged)
                found.push_back({window.X, window.Y, window.Width, window.Height});
        if (topmost)
            *topmost = !windows.empty() && windows.back().Unmanaged;
        return found;
    }

    // True when the pointer's cursor has no visible pixel.
    bool CursorInvisible()
    {
        XFixesCursorImage* image = XFixesGetCursorImage(FDisplay);
        if (!image)
            return false;
        bool invisible = true;
        for (int i = 0; i < image->width * image->height; ++i)
            if ((image->pixels[i] >> 24) != 0)
                invisible = false;
        XFree(image);
        return invisible;
    }

    // Holds the pointer and the keyboard for this connection, or lets them go; true when held.
    bool Grab()
    {
        const Window root = DefaultRootWindow(FDisplay);
        const bool pointer = XGrabPointer(FDisplay, root, False, PointerMotionMask, GrabModeAsync, GrabModeAsync,
                                          None, None, CurrentTime) == GrabSuccess;
        const bool keyboard = XGrabKeyboard(FDisplay, root, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
        FConnection.Sync("grabbing the input");
        return pointer && keyboard;
    }
    void Ungrab()
    {
        XUngrabPointer(FDisplay, CurrentTime);
        XUngrabKeyboard(FDisplay, CurrentTime);
        FConnection.Sync("letting the input go");
    }

    // A small window of this connection that takes the keyboard focus.
    void TakeFocus()
    {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.event_mask = KeyPressMask;
        const Window window = XCreateWindow(FDisplay, DefaultRootWindow(FDisplay), 0, 0, 10, 10, 0, CopyFromParent,
                                            InputOutput, CopyFromParent, CWOverrideRedirect | CWEventMask, &attributes);
        XMapWindow(FDisplay, window);
        XSync(FDisplay, False);
        XSetInputFocus(FDisplay, window, RevertToParent, CurrentTime);
        XSync(FDisplay, False);
    }
    // Keys that reached this connection's windows since the last look.
    int KeysReceived()
    {
        XSync(FDisplay, False);
        int keys = 0;
        XEvent event;
        while (XCheckTypedEvent(FDisplay, KeyPress, &event))
            ++keys;
        return keys;
    }

    // Makes the screen two monitors of width x height side by side, the left one primary
    // (the server's output drives it). They last while this connection does.
    bool SetTwoMonitors(int width, int height)
    {
        const Window root = DefaultRootWindow(FDisplay);
        XRRScreenResources* resources = XRRGetScreenResourcesCurrent(FDisplay, root);
        if (!resources || resources->noutput < 1)
            return false;
        const RROutput output = resources->outputs[0];
        XRRFreeScreenResources(resources);
        for (int i = 0; i < 2; ++i) {
            XRRMonitorInfo* monitor = XRRAllocateMonitor(FDisplay, i == 0 ? 1 : 0);
            monitor->name = XInternAtom(FDisplay, i == 0 ? "VELTRANE-LEFT" : "VELTRANE-RIGHT", False);
            monitor->primary = i == 0;
            monitor->x = i * width;
            monitor->width = width;
            monitor->height = height;
            monitor->mwidth = width / 4;
            monitor->mheight = height / 4;
            if (i == 0)
                monitor->outputs[0] = output;
            XRRSetMonitor(FDisplay, root, monitor);
            XRRFreeMonitors(monitor);
        }
        XSync(FDisplay, False);
        int count = 0;
        XRRMonitorInfo* monitors = XRRGetMonitors(FDisplay, root, False, &count);
        XRRFreeMonitors(monitors);
        return count == 2;
    }

    // From now on, windows created on the screen are noted.
    void WatchCreations()
    {
        XSelectInput(FDisplay, DefaultRootWindow(FDisplay), SubstructureNotifyMask);
        FConnection.Sync("watching window creations");
    }
    int Creations()
    {
        FConnection.Sync("counting window creations");
        int created = 0;
        XEvent event;
        while (XCheckTypedEvent(FDisplay, CreateNotify, &event))
            ++created;
        return created;
    }

private:
    TXConnection FConnection;
    Display* FDisplay;
};

class SaverE2E : public testing::Test {
protected:
    explicit SaverE2E(bool randr = true, int depth = 24) : FServer(ScreenWidth, ScreenHeight, randr, depth) {}

    TXvfbServer FServer;
    TScopedEnvironment FDisplayEnv{"DISPLAY", FServer.Name()};
    TPrivateEnvironment FEnvironment;
    TTempFolder FCapture{"veltrane-capture"};
    std::unique_ptr<TDisplay> FScreen = OpenX11Display(FServer.Name().c_str());
    TXTestInput FInput{FServer.Name()};
    TProbe FProbe{FServer.Name()};

    void SetUp() override
    {
        ASSERT_NE(FScreen, nullptr);
        // The pointer where the tests expect it before the saver notes its start.
        FInput.MoveTo(100, 100);
    }

    static void StoreSettings(std::int32_t imageTime, std::int32_t viewType = 1)
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Software\\Tessivo\\QM_Veltrane", true));
        registry.WriteInteger("Image time view", imageTime);
        registry.WriteInteger("View Type", viewType);
    }

    std::string Errors() const { return ReadFileText(FCapture.File("stderr")); }

    std::unique_ptr<TProgramProcess> Run(const std::vector<std::string>& switches, const std::string& errName = "stderr")
    {
        return std::make_unique<TProgramProcess>(VELTRANE_EXECUTABLE, switches, FCapture.File(errName));
    }

    // The screen now, row by row (of the test's server unless another display is given).
    TPixels Shown(TDisplay* display = nullptr) { return WholeScreen(display).Shown(); }

    bool WaitUntilShown(const TPixels& expected, std::chrono::milliseconds within, TDisplay* display = nullptr)
    {
        return WholeScreen(display).WaitUntilShown(expected, within);
    }

    TScreenReader WholeScreen(TDisplay* display)
    {
        return TScreenReader(display ? *display : *FScreen, TWindowRect{0, 0, ScreenWidth, ScreenHeight});
    }

    // Poster current as a frame of the screen's size shows it, composed in the given mode.
    static TPixels Composed(int current, TSaverMode mode = TSaverMode::smSaver)
    {
        SetCommandLine(std::vector<std::string>{"veltrane", "/s"});
        TMemoryDisplay memory(ScreenWidth, ScreenHeight);
        T_QsvImgFree engine;
        engine.Mode = mode;
        engine.SetDisplay(&memory);
        engine.AttachWindow(memory.CreateForeignWindow(TWindowRect{0, 0, ScreenWidth, ScreenHeight}, false));
        engine.PrepareFrames(current, current);
        TPixels pixels;
        for (int y = 0; y < ScreenHeight; ++y)
            for (int x = 0; x < ScreenWidth; ++x)
                pixels.push_back(engine.CurrentFrame->GetPixel(x, y));
        return pixels;
    }

    // Starts the saver and waits for poster 1.
    std::unique_ptr<TProgramProcess> StartSaver(const std::vector<std::string>& switches = {"/s"})
    {
        auto process = Run(switches);
        EXPECT_TRUE(WaitUntilShown(Composed(1), 10s)) << Errors();
        return process;
    }

    // The saver does not end for a while after something that must not end it.
    void ExpectStillRunning(TProgramProcess& process)
    {
        EXPECT_EQ(process.WaitExit(400ms), std::nullopt) << Errors();
    }

    // The system asks for a password, and PASSWORD.CPL is a copy of the given provider.
    static void UsePassword()
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Control Panel\\Desktop", true));
        registry.WriteInteger("ScreenSaveUsePassword", 1);
    }
    void InstallProvider(const char* library)
    {
        std::filesystem::copy_file(library, ProviderPath(), std::filesystem::copy_options::overwrite_existing);
    }
    std::string ProviderPath() const { return FEnvironment.System().File("PASSWORD.CPL"); }

    // Whether any process has this test's PASSWORD.CPL loaded.
    bool ProviderLoaded() const
    {
        const std::string path = ProviderPath();
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            const std::string name = entry.path().filename();
            if (name.find_first_not_of("0123456789") == std::string::npos &&
                ReadFileText(entry.path() / "maps").find(path) != std::string::npos)
                return true;
        }
        return false;
    }

    void ExpectEndsWithZero(TProgramProcess& process)
    {
        EXPECT_EQ(process.WaitExit(5s), std::optional<int>(0)) << Errors();
        EXPECT_EQ(Errors(), "");
    }
};

class SaverWithoutRandrE2E : public SaverE2E {
protected:
    SaverWithoutRandrE2E() : SaverE2E(false) {}
};

// A screen of 8 (a palette) or 16 bits a pixel.
class SaverAtDepthE2E : public SaverE2E, public testing::WithParamInterface<int> {
protected:
    SaverAtDepthE2E() : SaverE2E(true, GetParam()) {}

    // The mean difference of the colour channels of two screens of the same size.
    static double MeanDifference(const TPixels& a, const TPixels& b)
    {
        double sum = 0;
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
            for (int shift = 0; shift < 24; shift += 8)
                sum += std::abs(static_cast<int>((a[i] >> shift) & 0xFF) - static_cast<int>((b[i] >> shift) & 0xFF));
        return a.empty() ? 0 : sum / (3.0 * a.size());
    }
};

TEST_F(SaverE2E, CoversTheScreenOnTopWithTheCursorHiddenAndPosterOneWithTheWatermark)
{
    StoreSettings(30);
    const TPixels poster1 = Composed(1);
    // The watermark is part of what the saver shows.
    ASSERT_NE(poster1, Composed(1, TSaverMode::smPreview));
    auto process = Run({"/s"});
    ASSERT_TRUE(WaitUntilShown(poster1, 10s)) << Errors();
    bool topmost = false;
    EXPECT_EQ(FProbe.UnmanagedWindows(&topmost), (std::vector<std::array<int, 4>>{{0, 0, ScreenWidth, ScreenHeight}}));
    EXPECT_TRUE(topmost);
    EXPECT_TRUE(FProbe.CursorInvisible());
    FInput.Tap(XK_a);
    ExpectEndsWithZero(*process);
    EXPECT_FALSE(FProbe.CursorInvisible());
    EXPECT_TRUE(FProbe.UnmanagedWindows().empty());
}

TEST_F(SaverE2E, WindowsMappedOrRaisedLaterArePutBackBelowIt)
{
    StoreSettings(30);
    auto process = StartSaver();
    // Another program's popup, which no window manager would keep below the saver.
    THostWindow popup(FServer.Name(), 200, 150, 50, 60);
    EXPECT_TRUE(WaitUntilShown(Composed(1), 5s)) << "the popup covers the saver";
    popup.Raise();
    EXPECT_TRUE(WaitUntilShown(Composed(1), 5s)) << "the raised popup covers the saver";
    FInput.Tap(XK_Return);
    ExpectEndsWithZero(*process);
}

TEST_F(SaverE2E, EveryOtherMonitorIsCoveredInBlackUntilTheSaverEnds)
{
    // A screen of two monitors side by side, the primary one on the left.
    TXvfbServer wide(2 * ScreenWidth, ScreenHeight);
    TScopedEnvironment displayEnv("DISPLAY", wide.Name());
    TProbe probe(wide.Name());
    ASSERT_TRUE(probe.SetTwoMonitors(ScreenWidth, ScreenHeight));
    std::unique_ptr<TDisplay> screen = OpenX11Display(wide.Name().c_str());
    ASSERT_NE(screen, nullptr);
    StoreSettings(30);
    TXTestInput input(wide.Name());
    input.MoveTo(100, 100);
    auto process = Run({"/s"});
    ASSERT_TRUE(WaitUntilShown(Composed(1), 10s, screen.get())) << Errors();
    EXPECT_TRUE(TScreenReader(*screen, TWindowRect{ScreenWidth, 0, 2 * ScreenWidth, ScreenHeight})
                    .WaitUntilShown(TPixels(ScreenWidth * ScreenHeight, 0), 5s));
    // Lowest first: the cover, then the view above it and everything else.
    bool topmost = false;
    EXPECT_EQ(probe.UnmanagedWindows(&topmost), (std::vector<std::array<int, 4>>{
                                                    {ScreenWidth, 0, ScreenWidth, ScreenHeight},
                                                    {0, 0, ScreenWidth, ScreenHeight}}));
    EXPECT_TRUE(topmost);
    input.Tap(XK_a);
    ExpectEndsWithZero(*process);
    EXPECT_TRUE(probe.UnmanagedWindows().empty());
}

TEST_F(SaverE2E, InputHeldElsewhereAtTheStartIsTakenOnceFree)
{
    StoreSettings(0);
    ASSERT_TRUE(FProbe.Grab());  // a menu of another program, say
    auto process = StartSaver();
    FProbe.Ungrab();
    // Small movements: the saver takes the input at one of them (a probe that still got it
    // lets it go at once, for the next movement).
    int step = 0;
    EXPECT_TRUE(WaitUntil([&] {
        FInput.MoveTo(110 + step++ % 2, 105);
        const bool free = FProbe.Grab();
        FProbe.Ungrab();
        return !free;
    }, 5s, 50ms));
    EXPECT_TRUE(process->Running());
    FInput.Tap(XK_z);
    ExpectEndsWithZero(*process);
}

TEST_F(SaverE2E, ShortImageTimeCrossFadesToPosterTwoAndThree)
{
    StoreSettings(1);
    // The steps of the fade from poster 1 to 2 at 5 % to 95 %, as the engine blends them.
    std::vector<TPixels> steps;
    {
        SetCommandLine(std::vector<std::string>{"veltrane", "/s"});
        TMemoryDisplay memory(ScreenWidth, ScreenHeight);
        T_QsvImgFree engine;
        engine.SetDisplay(&memory);
        engine.AttachWindow(memory.CreateForeignWindow(TWindowRect{0, 0, ScreenWidth, ScreenHeight}, false));
        engine.PrepareFrames(1, 2);
        for (int percent = 5; percent < 100; percent += 5) {
            TBitmap work(*engine.CurrentFrame);
            T_QsvImgFree::BlendFrames(work, *engine.NextFrame, percent);
            TPixels pixels;
            for (int y = 0; y < ScreenHeight; ++y)
                for (int x = 0; x < ScreenWidth; ++x)
                    pixels.push_back(work.GetPixel(x, y));
            steps.push_back(std::move(pixels));
        }
    }
    const TPixels poster1 = Composed(1);
    const TPixels poster2 = Composed(2);
    auto process = StartSaver();
    // Until poster 2 stands, the screen shows poster 1 or a step of the fade, nothing else.
    int fadeSteps = 0;
    int strangers = 0;
    bool arrived = false;
    for (const auto deadline = TClock::now() + 10s; !arrived && TClock::now() < deadline;) {
        const TPixels shown = Shown();
        if (shown == poster2)
            arrived = true;
        else if (std::find(steps.begin(), steps.end(), shown) != steps.end())
            ++fadeSteps;
        else if (shown != poster1)
            ++strangers;
    }
    EXPECT_TRUE(arrived);
    EXPECT_GE(fadeSteps, 1);
    EXPECT_EQ(strangers, 0);
    EXPECT_TRUE(WaitUntilShown(Composed(3), 10s));
    FInput.Click(3);
    ExpectEndsWithZero(*process);
}

TEST_F(SaverE2E, ThirtyPixelsKeepItAndThirtyOneEndIt)
{
    StoreSettings(30);
    auto process = StartSaver({});  // no switch: the saver too
    FInput.MoveTo(130, 130);
    FInput.MoveTo(70, 70);
    ExpectStillRunning(*process);
    FInput.MoveTo(131, 100);
    ExpectEndsWithZero(*process);
}

TEST_F(SaverE2E, ShiftKeepsItAndALetterEndsIt)
{
    StoreSettings(30);
    auto process = StartSaver({"/x", "99"});  // an unknown switch: the saver too
    FInput.Tap(XK_Shift_L);
    FInput.Tap(XK_F5);
    ExpectStillRunning(*process);
    FInput.Tap(XK_q);
    ExpectEndsWithZero(*process);
}

TEST_F(SaverE2E, RefusingProviderKeepsItRunningUntilItAgrees)
{
    StoreSettings(30);
    UsePassword();
    InstallProvider(VELTRANE_VERIFY_REFUSE);
    auto process = StartSaver();
    FInput.Click(1);
    FInput.Tap(XK_a);
    FInput.MoveTo(300, 300);
    ExpectStillRunning(*process);
    EXPECT_EQ(Shown(), Composed(1));
    // The cursor, shown while the provider was asked, is hidden again.
    EXPECT_TRUE(WaitUntil([&] { return FProbe.CursorInvisible(); }, 3s));
    InstallProvider(VELTRANE_VERIFY_ACCEPT);
    FInput.Click(1);
    ExpectEndsWithZero(*process);
}

TEST_F(SaverE2E, KilledWhileTheProviderIsAskedLeavesNoWindowNoLockAndNoProvider)
{
    StoreSettings(30);
    UsePassword();
    InstallProvider(VELTRANE_VERIFY_HANG);
    TScopedEnvironment log("VELTRANE_TEST_PROVIDER_LOG", FCapture.File("provider"));
    auto process = StartSaver();
    FInput.Click(1);
    ASSERT_TRUE(WaitUntil([&] { return !ReadFileText(FCapture.File("provider")).empty(); })) << Errors();
    ASSERT_TRUE(ProviderLoaded());
    process->Kill();
    EXPECT_EQ(process->WaitExit(5s), std::optional<int>(-1));
    // The provider's process goes with the saver and holds neither its window nor its lock.
    EXPECT_TRUE(WaitUntil([&] { return !ProviderLoaded(); }, 5s));
    EXPECT_TRUE(WaitUntil([&] { return FProbe.UnmanagedWindows().empty(); }, 5s));
    InstallProvider(VELTRANE_VERIFY_ACCEPT);
    auto again = StartSaver();
    ASSERT_TRUE(again->Running());
    FInput.Tap(XK_a);
    ExpectEndsWithZero(*again);
}

TEST_F(SaverE2E, WhileTheProviderIsAskedKeysReachNoOtherProgramAndTheInputComesBackAfter)
{
    StoreSettings(30);
    UsePassword();
    InstallProvider(VELTRANE_VERIFY_WAIT);
    TScopedEnvironment log("VELTRANE_TEST_PROVIDER_LOG", FCapture.File("provider"));
    TScopedEnvironment release("VELTRANE_TEST_PROVIDER_RELEASE", FCapture.File("release"));
    auto process = StartSaver();
    FProbe.TakeFocus();  // a program that comes up while the saver runs
    FInput.Click(1);
    ASSERT_TRUE(WaitUntil([&] { return !ReadFileText(FCapture.File("provider")).empty(); })) << Errors();
    // The input is free for the provider's dialog, but typing lands on no other window.
    EXPECT_TRUE(WaitUntil([&] {
        const bool free = FProbe.Grab();
        FProbe.Ungrab();
        return free;
    }));
    FInput.Tap(XK_x);
    EXPECT_EQ(FProbe.KeysReceived(), 0);
    // Another program holds the input when the provider refuses: the saver goes on, and
    // takes the input as soon as it is free, with nobody touching anything.
    ASSERT_TRUE(FProbe.Grab());
    std::ofstream(FCapture.File("release")) << "now";
    ExpectStillRunning(*process);
    FProbe.Ungrab();
    EXPECT_TRUE(WaitUntil([&] {
        const bool taken = !FProbe.Grab();
        FProbe.Ungrab();
        return taken;
    }, 5s));
    InstallProvider(VELTRANE_VERIFY_ACCEPT);
    FInput.Tap(XK_a);
    ExpectEndsWithZero(*process);
}

TEST_F(SaverE2E, SecondSaverEndsAtOnceAndOpensNoWindow)
{
    StoreSettings(30);
    auto first = StartSaver();
    FProbe.WatchCreations();
    auto second = Run({"/s"}, "second-stderr");
    EXPECT_EQ(second->WaitExit(5s), std::optional<int>(0));
    EXPECT_EQ(ReadFileText(FCapture.File("second-stderr")), "");
    EXPECT_EQ(FProbe.Creations(), 0);
    EXPECT_TRUE(first->Running());
    EXPECT_EQ(Shown(), Composed(1));
}

TEST_F(SaverE2E, ZeroImageTimeKeepsPosterOne)
{
    StoreSettings(0);
    auto process = StartSaver();
    const TPixels poster1 = Composed(1);
    EXPECT_FALSE(WaitUntil([&] { return Shown() != poster1; }, 2500ms, 100ms)) << "no cross-fade starts";
    FInput.Click(1);
    ExpectEndsWithZero(*process);
}

TEST_F(SaverE2E, LosingTheServerEndsTheProcessCleanly)
{
    // A server of its own, to which the test keeps no connection when it goes away.
    TXvfbServer doomed(ScreenWidth, ScreenHeight);
    TScopedEnvironment displayEnv("DISPLAY", doomed.Name());
    StoreSettings(1);
    auto process = Run({"/s"});
    {
        std::unique_ptr<TDisplay> screen = OpenX11Display(doomed.Name().c_str());
        ASSERT_NE(screen, nullptr);
        const TPixels poster1 = Composed(1);
        ASSERT_TRUE(WaitUntilShown(poster1, 10s, screen.get())) << Errors();
        // The server goes while the first cross-fade runs.
        ASSERT_TRUE(WaitUntil([&] { return Shown(screen.get()) != poster1; }, 10s, 5ms)) << Errors();
    }
    doomed.Kill();
    EXPECT_EQ(process->WaitExit(10s), std::optional<int>(0)) << Errors();
    EXPECT_EQ(Errors(), "");
}

TEST_F(SaverWithoutRandrE2E, StillCoversTheWholeScreen)
{
    StoreSettings(30);
    auto process = StartSaver();
    EXPECT_EQ(FProbe.UnmanagedWindows(), (std::vector<std::array<int, 4>>{{0, 0, ScreenWidth, ScreenHeight}}));
    FInput.Tap(XK_space);
    ExpectEndsWithZero(*process);
}

TEST_P(SaverAtDepthE2E, ShowsPosterOneInTheColoursTheScreenHas)
{
    StoreSettings(30);
    const TPixels poster1 = Composed(1);
    auto process = Run({"/s"});
    // As near as 5 or 6 bits a channel, or a palette of six levels a channel, come (a black
    // screen is about a hundred away).
    const double allowed = GetParam() == 8 ? 20 : 4;
    double difference = 0;
    EXPECT_TRUE(WaitUntil([&] { return (difference = MeanDifference(Shown(), poster1)) < allowed; }))
        << difference << "\n" << Errors();
    FInput.Tap(XK_a);
    ExpectEndsWithZero(*process);
}

INSTANTIATE_TEST_SUITE_P(Depths, SaverAtDepthE2E, testing::Values(8, 16));

} // namespace
