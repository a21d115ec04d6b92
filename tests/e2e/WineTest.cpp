// veltrane.scr of the Windows build as the Windows screen-saver host runs it, under Wine on
// a private Xvfb: the settings in Wine's registry (read and written with its reg.exe), real
// input through XTEST, the screen read back. Every test shares one Wine prefix, made by the
// fixture test before them and whose wineserver is ended after them.
//
// Pictures for the README: VELTRANE_WRITE_DOCS=1 writes docs/screenshots/wine-dialog-en.png
// and wine-dialog-es.png.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PngWriter.h"
#include "ScreenGrab.h"
#include "config/FrmConfig.h"
#include "engine/QsvImgFree.h"
#include "gfx/Bitmap.h"
#include "gfx/BmpCodec.h"
#include "gfx/JpegDecoder.h"
#include "lang/LanguageManager.h"
#include "platform/CommandLine.h"
#include "platform/Resources.h"
#include "platform/memory/MemoryDisplay.h"
#include "platform/x11/X11Display.h"
#include "support/FileText.h"
#include "support/ProgramProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/ScreenReader.h"
#include "support/TempConfigHome.h"
#include "support/TempFolder.h"
#include "support/WaitUntil.h"
#include "support/XTestInput.h"
#include "support/XvfbServer.h"
#include "ui/Application.h"
#include "widgets/FlatButton.h"

// Xlib last: its macros must not reach the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

using namespace std::chrono_literals;
using TPixels = std::vector<std::uint32_t>;

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;
constexpr int DialogWidth = 450;
constexpr int DialogHeight = 354;
constexpr const char* SettingsKey = "HKCU\\Software\\Tessivo\\QM_Veltrane";

bool Switch(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value && std::string(value) != "0";
}

// The colours of a bitmap, 0x00BBGGRR, row by row from the top.
TPixels Colours(const TBitmap& frame)
{
    TPixels colours;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x)
            colours.push_back(frame.GetPixel(x, y));
    return colours;
}

// A top-level X window of Wine's, found by its name.
struct TFoundWindow {
    Window Id = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

// The 32 x 32 picture of the window's icons (_NET_WM_ICON: width, height, ARGB pixels,
// one icon after the other), empty when it has none of that size.
TPixels IconOfSize32(Display* display, Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    TPixels icon;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), 0, 1 << 16, False, XA_CARDINAL,
                           &type, &format, &count, &after, &data) != Success || !data)
        return icon;
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    for (unsigned long at = 0; at + 2 <= count && icon.empty();) {
        const unsigned long width = values[at], height = values[at + 1];
        if (width == 0 || height == 0 || at + 2 + width * height > count)
            break;
        if (width == 32 && height == 32)
            for (unsigned long i = 0; i < 32 * 32; ++i)
                icon.push_back(static_cast<std::uint32_t>(values[at + 2 + i]));
        at += 2 + width * height;
    }
    XFree(data);
    return icon;
}

class WineE2E : public testing::Test {
protected:
    TXvfbServer FServer{ScreenWidth, ScreenHeight};
    TScopedEnvironment FDisplayEnv{"DISPLAY", FServer.Name()};
    TScopedEnvironment FPrefixEnv{"WINEPREFIX", VELTRANE_WINE_PREFIX};
    TScopedEnvironment FDebugEnv{"WINEDEBUG", "-all"};
    TScopedEnvironment FOverridesEnv{"WINEDLLOVERRIDES", "mscoree,mshtml="};
    TScopedEnvironment FArchEnv{"WINEARCH", "win64"};
    TTempFolder FCapture{"veltrane-wine"};
    // The pictures this process composes read settings of their own, not the user's.
    TTempConfigHome FConfig;
    std::unique_ptr<TXTestInput> FInput;
    std::unique_ptr<TDisplay> FScreen;
    Display* FX = nullptr;

    void SetUp() override
    {
        if (!std::filesystem::exists(VELTRANE_WINDOWS_SCR))
            GTEST_SKIP() << "no Windows build: " << VELTRANE_WINDOWS_SCR << " is missing (cmake --preset windows)";
        if (!std::filesystem::exists(VELTRANE_WINE))
            GTEST_SKIP() << "Wine is not installed (tools/install-deps --windows)";
        FInput = std::make_unique<TXTestInput>(FServer.Name());
        FScreen = OpenX11Display(FServer.Name().c_str());
        FX = XOpenDisplay(FServer.Name().c_str());
        ASSERT_TRUE(FScreen && FX);
        // Every test starts with no settings.
        Reg({"delete", SettingsKey, "/f"});
    }
    void TearDown() override
    {
        if (FX)
            XCloseDisplay(FX);
    }

    // Runs a Windows program of the prefix (reg.exe and the like) to its end: its output.
    std::string Wine(const std::vector<std::string>& arguments)
    {
        const std::string out = FCapture.File("wine-out");
        TProgramProcess process(VELTRANE_WINE, arguments, FCapture.File("wine-err"), out);
        EXPECT_TRUE(process.WaitExit(60s).has_value()) << "wine " << arguments.front() << " did not end";
        return ReadFileText(out);
    }
    std::string Reg(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "reg");
        return Wine(arguments);
    }
    // A REG_DWORD value of the settings as reg.exe shows it.
    std::optional<long> Stored(const std::string& name)
    {
        const std::string text = Reg({"query", SettingsKey, "/v", name});
        std::smatch match;
        if (!std::regex_search(text, match, std::regex(name + "\\s+REG_DWORD\\s+0x([0-9a-fA-F]+)")))
            return std::nullopt;
        return std::stol(match[1].str(), nullptr, 16);
    }
    void StoreDword(const std::string& name, int value)
    {
        Reg({"add", SettingsKey, "/v", name, "/t", "REG_DWORD", "/d", std::to_string(value), "/f"});
    }

    std::string ErrPath() const { return FCapture.File("stderr"); }
    std::string Errors() const { return ReadFileText(ErrPath()); }

    std::unique_ptr<TProgramProcess> Run(const std::string& program, const std::vector<std::string>& switches,
                                         const std::string& errName = "stderr")
    {
        std::vector<std::string> arguments{program};
        arguments.insert(arguments.end(), switches.begin(), switches.end());
        return std::make_unique<TProgramProcess>(VELTRANE_WINE, arguments, FCapture.File(errName));
    }
    std::unique_ptr<TProgramProcess> RunScr(const std::vector<std::string>& switches, const std::string& errName = "stderr")
    {
        return Run(VELTRANE_WINDOWS_SCR, switches, errName);
    }

    // The viewable top-level windows of that name.
    std::vector<TFoundWindow> Windows(const std::string& wanted)
    {
        std::vector<TFoundWindow> found;
        Window rootReturn, parent;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(FX, DefaultRootWindow(FX), &rootReturn, &parent, &children, &count))
            return found;
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(FX, children[i], &attributes) || attributes.map_state != IsViewable)
                continue;
            char* name = nullptr;
            if (XFetchName(FX, children[i], &name) && name) {
                if (wanted == name)
                    found.push_back({children[i], attributes.x, attributes.y, attributes.width, attributes.height});
                XFree(name);
            }
        }
        if (children)
            XFree(children);
        return found;
    }
    std::optional<TFoundWindow> WaitForWindow(const std::string& name, std::chrono::milliseconds within = 30s)
    {
        std::optional<TFoundWindow> found;
        WaitUntil([&] {
            const auto windows = Windows(name);
            if (!windows.empty())
                found = windows.front();
            return found.has_value();
        }, within);
        return found;
    }

    void Click(int x, int y)
    {
        FInput->MoveTo(x, y);
        FInput->Click();
    }

    // A picture of a rectangle of the screen once two reads a moment apart agree.
    TBitmap SteadyPicture(int x, int y, int width, int height)
    {
        TBitmap shot;
        WaitUntil([&] {
            TBitmap now = GrabScreen(FX, x, y, width, height);
            const bool same = !now.Empty() && !shot.Empty() && Colours(now) == Colours(shot);
            shot = std::move(now);
            return same;
        }, 10s);
        return shot;
    }
    // The window shows the application icon (resource 1 of the .scr): its opaque pixels
    // are those of the form's icon.
    void ExpectApplicationIcon(Window window)
    {
        const TPixels icon = IconOfSize32(FX, window);
        ASSERT_EQ(icon.size(), 32u * 32u) << "no 32 x 32 window icon";
        TBitmap expected = DecodeBmpResource();
        int opaque = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const std::uint32_t argb = icon[static_cast<std::size_t>(y) * 32 + x];
                if ((argb >> 24) != 0xFF)
                    continue;
                ++opaque;
                const std::uint32_t bgr = expected.GetPixel(x, y);
                const std::uint32_t rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
                ASSERT_EQ(argb & 0xFFFFFF, rgb) << x << "," << y;
            }
        EXPECT_GT(opaque, 32 * 32 / 2);
    }
    static TBitmap DecodeBmpResource()
    {
        return TBmpCodec().ReadFile(std::string(VELTRANE_SOURCE_DIR_PATH) + "/resources/mainicon.bmp");
    }

    void KeepPicture(const TBitmap& shot, const std::string& name)
    {
        const std::filesystem::path artefact = std::filesystem::path(VELTRANE_BINARY_DIR_PATH) / "artefacts" / "wine";
        std::filesystem::create_directories(artefact);
        WritePngFile(shot, (artefact / (name + ".png")).string());
        std::cout << "screenshot: " << (artefact / (name + ".png")).string() << std::endl;
        if (Switch("VELTRANE_WRITE_DOCS")) {
            const std::filesystem::path doc = std::filesystem::path(VELTRANE_SOURCE_DIR_PATH) / "docs" / "screenshots";
            std::filesystem::create_directories(doc);
            WritePngFile(shot, (doc / (name + ".png")).string());
        }
    }
};

// Where the dialog's Ok button lies: the same dialog built in this process on a memory
// display (the layout comes from the form definition, not from the platform).
struct TOkSpot {
    int X = 0;
    int Y = 0;
};
TOkSpot OkButtonCentre()
{
    TMemoryDisplay display(ScreenWidth, ScreenHeight);
    TOkSpot spot;
    {
        TApplication application(display);
        application.SetOnException([](TObject*, const std::exception&) {});
        TfrmConfig& form = application.CreateForm<TfrmConfig>();
        const TPoint origin = form.btnAcept->FormOrigin();
        spot = {origin.X + form.btnAcept->Width() / 2, origin.Y + form.btnAcept->Height() / 2};
    }
    LangManager().SelectLanguageIndex(0);
    return spot;
}

// Poster 1 as the saver shows it on the whole screen (with the watermark), or fitted to
// the preview window.
TPixels SaverFrame()
{
    SetCommandLine(std::vector<std::string>{"veltrane", "/s"});
    TMemoryDisplay memory(ScreenWidth, ScreenHeight);
    T_QsvImgFree engine;
    engine.ViewType = 1;
    engine.SetDisplay(&memory);
    engine.AttachWindow(memory.CreateForeignWindow(TWindowRect{0, 0, ScreenWidth, ScreenHeight}, false));
    engine.PrepareFrames(1, 1);
    return Colours(*engine.CurrentFrame);
}
TPixels PreviewFrame(int width, int height)
{
    const TBitmap poster = DecodeJpeg(LoadResource("RCDATA", "img01"));
    TBitmap frame(width, height, TPixelFormat::pf32bit);
    frame.Canvas().StretchBlt(0, 0, width, height, poster, 0, 0, poster.Width(), poster.Height(), SRCCOPY);
    return Colours(frame);
}

} // namespace

TEST_F(WineE2E, ConfigureShowsTheDialogCentredAndOkStoresTheDefaults)
{
    const TOkSpot ok = OkButtonCentre();
    auto dialog = RunScr({"/c"});
    const auto window = WaitForWindow("Veltrane");
    ASSERT_TRUE(window) << Errors();
    EXPECT_EQ(window->Width, DialogWidth);
    EXPECT_EQ(window->Height, DialogHeight);
    EXPECT_EQ(window->X, (ScreenWidth - DialogWidth) / 2);
    EXPECT_EQ(window->Y, (ScreenHeight - DialogHeight) / 2);
    KeepPicture(SteadyPicture(window->X, window->Y, DialogWidth, DialogHeight), "wine-dialog-en");
    ExpectApplicationIcon(window->Id);
    Click(window->X + ok.X, window->Y + ok.Y);
    ASSERT_EQ(dialog->WaitExit(30s), std::optional<int>(0)) << Errors();
    EXPECT_EQ(Stored("Image time view"), 10);
    EXPECT_EQ(Stored("View Type"), 2);
    EXPECT_EQ(Stored("Language"), 0);

    // In Spanish when the settings say so; Escape closes it without storing.
    StoreDword("Language", 1);
    StoreDword("Image time view", 25);
    dialog = RunScr({"/c"});
    const auto spanish = WaitForWindow("Veltrane");
    ASSERT_TRUE(spanish) << Errors();
    KeepPicture(SteadyPicture(spanish->X, spanish->Y, DialogWidth, DialogHeight), "wine-dialog-es");
    FInput->MoveTo(spanish->X + 10, spanish->Y + 10);
    FInput->Tap(XK_Escape);
    ASSERT_EQ(dialog->WaitExit(30s), std::optional<int>(0)) << Errors();
    EXPECT_EQ(Stored("Image time view"), 25);
}

TEST_F(WineE2E, SaverShowsPosterOneWithTheWatermarkASecondEndsAtOnceAndAKeyEndsIt)
{
    StoreDword("Image time view", 30);
    StoreDword("View Type", 1);
    auto saver = RunScr({"/s"});
    TScreenReader screen(*FScreen, TWindowRect{0, 0, ScreenWidth, ScreenHeight});
    ASSERT_TRUE(screen.WaitUntilShown(SaverFrame(), 30s)) << Errors();

    auto second = RunScr({"/s"}, "second-stderr");
    EXPECT_EQ(second->WaitExit(30s), std::optional<int>(0));
    EXPECT_EQ(ReadFileText(FCapture.File("second-stderr")), "");
    EXPECT_TRUE(saver->Running());

    FInput->Tap(XK_a);
    EXPECT_EQ(saver->WaitExit(30s), std::optional<int>(0)) << Errors();
    EXPECT_EQ(Errors(), "");
}

TEST_F(WineE2E, PreviewDrawsIntoTheHostWindowAndEndsWhenItIsDestroyed)
{
    StoreDword("Image time view", 30);
    const std::string handleFile = FCapture.File("host");
    auto host = Run(VELTRANE_PREVIEW_HOST, {handleFile}, "host-stderr");
    unsigned long handle = 0;
    int left = 0, top = 0;
    ASSERT_TRUE(WaitUntil([&] {
        std::istringstream(ReadFileText(handleFile)) >> handle >> left >> top;
        return handle != 0;
    }, 30s)) << ReadFileText(FCapture.File("host-stderr"));

    auto preview = RunScr({"/p", std::to_string(handle)});
    TScreenReader area(*FScreen, TWindowRect{left, top, left + 152, top + 112});
    EXPECT_TRUE(area.WaitUntilShown(PreviewFrame(152, 112), 30s)) << Errors();
    EXPECT_TRUE(preview->Running());

    // The host closes: its window goes, and the preview ends with it.
    std::filesystem::remove(handleFile);
    EXPECT_EQ(host->WaitExit(30s), std::optional<int>(0));
    EXPECT_EQ(preview->WaitExit(30s), std::optional<int>(0)) << Errors();
    EXPECT_EQ(Errors(), "");
}

TEST_F(WineE2E, StringViewTypeEndsWithTheApplicationErrorBoxAndExitCodeOne)
{
    Reg({"add", SettingsKey, "/v", "View Type", "/t", "REG_SZ", "/d", "2", "/f"});
    auto saver = RunScr({"/s"});
    const auto box = WaitForWindow("Application Error");
    ASSERT_TRUE(box) << Errors();
    EXPECT_TRUE(saver->Running());
    // Its one button takes the focus: Return dismisses it.
    Click(box->X + box->Width / 2, box->Y + 8);
    FInput->Tap(XK_Return);
    ASSERT_EQ(saver->WaitExit(30s), std::optional<int>(1));
    EXPECT_TRUE(std::regex_search(Errors(), std::regex("Invalid data type for 'View Type'"))) << Errors();
    EXPECT_TRUE(Windows("Application Error").empty());
}
