// The configuration dialog as the screen-saver host starts it: `veltrane /c` on a private
// Xvfb, driven with real pointer and key input through XTEST, its results read from the
// settings store, the wallpaper file and the screen.
//
// Screenshots. Each run writes what it saw as PNG files a person can open, in
// <build>/artefacts/config-dialog/ (the tests print the paths), and compares the dialog in
// English and in Spanish against the references tests/e2e/reference/dialog-en.bmp and
// dialog-es.bmp (24-bit BMP). The comparison leaves out the rectangles that hold text
// (captions of the buttons, the tabs and the status line), whose anti-aliased glyphs may
// differ between font-rendering versions; everywhere else a pixel may differ by at most
// 16 in each channel, and at most 0.5 % of the pixels may differ by more.
// After a deliberate change of the dialog's look, write new references with
//     VELTRANE_WRITE_REFERENCES=1 test_e2e_config --gtest_filter='*Screenshot*'
// and look at them before committing them.
//
// Pictures for the README: VELTRANE_WRITE_DOCS=1 test_e2e_config --gtest_filter='*Screenshot*:*Docs*'
// writes docs/screenshots/dialog-en.png, dialog-es.png and saver.png (the saver on a
// 1024 x 640 screen with poster 1, halved).

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "PngWriter.h"
#include "ScreenGrab.h"
#include "gfx/BmpCodec.h"
#include "platform/Registry.h"
#include "support/ProgramProcess.h"
#include "support/FileText.h"
#include "support/PrivateEnvironment.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/TestTree.h"
#include "support/WaitUntil.h"
#include "support/WindowSearch.h"
#include "support/XConnection.h"
#include "support/XTestInput.h"
#include "support/XvfbServer.h"
#include "config/FrmConfig.h"
#include "lang/LanguageManager.h"
#include "platform/memory/MemoryDisplay.h"
#include "ui/Application.h"
#include "ui/Image.h"
#include "ui/Label.h"
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


// --- screen pictures ---------------------------------------------------------------------

// A rectangle of the screen once it has stopped changing: two pictures taken interval apart
// agree. Empty when it does not settle within the time.
TBitmap SettledPicture(Display* display, int left, int top, int width, int height,
                       std::chrono::milliseconds within = 5s, std::chrono::milliseconds interval = 100ms)
{
    TBitmap last;
    const bool settled = WaitUntil([&] {
        TBitmap now = GrabScreen(display, left, top, width, height);
        const bool same = SamePicture(now, last);
        last = std::move(now);
        return same;
    }, within, interval);
    return settled ? last : TBitmap{};
}

// Whether a picture holds more than one colour: a window painted, not just its background.
bool HasContent(const TBitmap& picture)
{
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (picture.GetPixel(x, y) != picture.GetPixel(0, 0))
                return true;
    return false;
}

// Half the size, each pixel the mean of four.
TBitmap HalfSize(const TBitmap& picture)
{
    TBitmap half(picture.Width() / 2, picture.Height() / 2, TPixelFormat::pf24bit);
    for (int y = 0; y < half.Height(); ++y)
        for (int x = 0; x < half.Width(); ++x) {
            std::uint32_t sum[3] = {0, 0, 0};
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const std::uint32_t c = picture.GetPixel(2 * x + dx, 2 * y + dy);
                    for (int k = 0; k < 3; ++k)
                        sum[k] += (c >> (8 * k)) & 0xFF;
                }
            half.SetPixel(x, y, ((sum[0] + 2) / 4) | (((sum[1] + 2) / 4) << 8) | (((sum[2] + 2) / 4) << 16));
        }
    return half;
}

std::filesystem::path ArtefactDir()
{
    const std::filesystem::path dir = TestBinaryDir() / "artefacts" / "config-dialog";
    std::filesystem::create_directories(dir);
    return dir;
}

bool Switch(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value && std::string(value) != "0";
}

struct TComparison {
    int Compared = 0;    // pixels outside the masked rectangles
    int Different = 0;   // of those, differing by more than the tolerance in a channel
    int WorstChannel = 0;
    std::string Problem; // sizes differ, or nothing to compare
};

constexpr int ChannelTolerance = 16;
constexpr double DifferentShare = 0.005;

// Compares two pictures outside the masked rectangles, channel by channel.
TComparison Compare(const TBitmap& shot, const TBitmap& reference, const std::vector<TRect>& masks)
{
    TComparison result;
    if (shot.Width() != reference.Width() || shot.Height() != reference.Height()) {
        result.Problem = "sizes differ: " + std::to_string(shot.Width()) + " x " + std::to_string(shot.Height()) +
                         " against " + std::to_string(reference.Width()) + " x " + std::to_string(reference.Height());
        return result;
    }
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x) {
            bool masked = false;
            for (const TRect& r : masks)
                masked = masked || r.Contains(TPoint{x, y});
            if (masked)
                continue;
            ++result.Compared;
            const std::uint32_t a = shot.GetPixel(x, y), b = reference.GetPixel(x, y);
            int worst = 0;
            for (int k = 0; k < 3; ++k)
                worst = std::max(worst, std::abs(static_cast<int>((a >> (8 * k)) & 0xFF) - static_cast<int>((b >> (8 * k)) & 0xFF)));
            result.WorstChannel = std::max(result.WorstChannel, worst);
            if (worst > ChannelTolerance)
                ++result.Different;
        }
    if (result.Compared == 0)
        result.Problem = "every pixel is masked";
    return result;
}

// The table colour 0x00BBGGRR as the screen reads it, 0x00RRGGBB.
constexpr std::uint32_t OnScreen(std::uint32_t bgr)
{
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

class ConfigDialogE2E : public testing::Test {
protected:
    TXvfbServer FServer{ScreenWidth, ScreenHeight};
    TScopedEnvironment FDisplayEnv{"DISPLAY", FServer.Name()};
    TScopedEnvironment FDesktopEnv{"XDG_CURRENT_DESKTOP", std::nullopt};
    TPrivateEnvironment FEnvironment;
    TTempFolder FCapture{"veltrane-capture"};
    TXTestInput FInput{FServer.Name()};
    TXConnection FConnection{FServer.Name()};
    Display* FX = FConnection.Get();
    // Where the program writes the wallpaper of poster 3: beside itself.
    std::string FWallpaper = (std::filesystem::path(VELTRANE_EXECUTABLE).parent_path() / "Vtnimg03.bmp").string();

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

    // The viewable top-level window captioned "Veltrane" of the given size, once there.
    std::optional<TTopWindow> FindWindow(int width, int height)
    {
        std::optional<TTopWindow> found;
        WaitUntil([&] {
            for (const TTopWindow& window : ViewableTopWindows(FConnection))
                if (window.Name == "Veltrane" && window.Width == width && window.Height == height)
                    found = window;
            return found.has_value();
        });
        return found;
    }

    // The dialog's client origin on screen, once it is mapped and its first paint stands.
    std::optional<TSpot> FindDialog()
    {
        const std::optional<TTopWindow> dialog = FindWindow(450, 354);
        if (!dialog || !HasContent(SettledPicture(FX, dialog->X, dialog->Y, 450, 354)))
            return std::nullopt;
        FDialogWindow = dialog->Id;
        FOrigin = TSpot{dialog->X, dialog->Y};
        return FOrigin;
    }

    Window FDialogWindow = 0;
    TSpot FOrigin{0, 0};

    // The dialog takes input in the order it is sent, so a click needs no pause before the
    // next input; what a click shows on the screen is waited for where it is checked.
    void Click(const TSpot& dialog, const TSpot& spot)
    {
        FInput.MoveTo(dialog.X + spot.X, dialog.Y + spot.Y);
        FInput.Click();
    }

    // A screen pixel as 0x00RRGGBB.
    std::uint32_t ScreenPixel(int x, int y)
    {
        const std::vector<std::uint32_t> pixel = ReadScreen(FX, x, y, 1, 1);
        return pixel.empty() ? 0xDEADBEEF : pixel[0];
    }

    // The pixels of a rectangle of the dialog, row by row.
    std::vector<std::uint32_t> Capture(const TSpot& dialog, int left, int top, int width, int height)
    {
        return ReadScreen(FX, dialog.X + left, dialog.Y + top, width, height);
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
    // The rectangles of the dialog that hold text, in its client coordinates: the status
    // line, the inside of the three buttons and of the tabs.
    std::vector<TRect> TextMasks()
    {
        TfrmConfig& form = Map().Form();
        std::vector<TRect> masks;
        const auto inside = [&](const TControl& control, int inset) {
            const TPoint o = control.FormOrigin();
            masks.push_back(Rect(o.X + inset, o.Y + inset, o.X + control.Width() - inset, o.Y + control.Height() - inset));
        };
        inside(*form.lblInfo, 0);
        inside(*form.btnSetWallpaper, 2);
        inside(*form.btnAcept, 2);
        inside(*form.btnCancel, 2);
        const TPoint o = form.pgcOp->FormOrigin();
        for (int i = 0; i < 3; ++i) {
            const TRect tab = form.pgcOp->TabRect(i);
            masks.push_back(Rect(o.X + tab.Left + 2, o.Y + tab.Top + 2, o.X + tab.Right - 2, o.Y + tab.Bottom - 2));
        }
        return masks;
    }

    // Photographs the dialog, keeps the picture as an artefact and compares it with the
    // reference of that name (or writes the reference, with VELTRANE_WRITE_REFERENCES).
    void CheckScreenshot(const TSpot& origin, const std::string& name)
    {
        // Taken once two pictures a moment apart agree: the dialog has finished painting.
        const TBitmap shot = SettledPicture(FX, origin.X, origin.Y, 450, 354, 5s, 200ms);
        ASSERT_FALSE(shot.Empty());
        const std::filesystem::path artefact = ArtefactDir() / (name + ".png");
        WritePngFile(shot, artefact.string());
        std::cout << "screenshot: " << artefact.string() << std::endl;
        RecordProperty(name, artefact.string());
        if (Switch("VELTRANE_WRITE_DOCS")) {
            const std::filesystem::path doc = TestSourceDir() / "docs" / "screenshots" / (name + ".png");
            std::filesystem::create_directories(doc.parent_path());
            WritePngFile(shot, doc.string());
        }
        const std::filesystem::path reference = TestSourceDir() / "tests" / "e2e" / "reference" / (name + ".bmp");
        if (Switch("VELTRANE_WRITE_REFERENCES")) {
            std::filesystem::create_directories(reference.parent_path());
            TBmpCodec::WriteFile(shot, reference.string());
            std::cout << "reference written: " << reference.string() << std::endl;
            return;
        }
        ASSERT_TRUE(std::filesystem::exists(reference)) << reference;
        const TComparison result = Compare(shot, TBmpCodec().ReadFile(reference.string()), TextMasks());
        ASSERT_EQ(result.Problem, "") << artefact;
        EXPECT_LE(result.Different, static_cast<int>(result.Compared * DifferentShare))
            << result.Different << " of " << result.Compared << " pixels differ by more than " << ChannelTolerance
            << " (worst " << result.WorstChannel << "); compare " << artefact << " with " << reference;
    }

    // The fill (inside, away from the caption) and the border of a button, as the screen shows them.
    std::uint32_t ButtonFill(const TSpot& origin, const TControl& button)
    {
        const TSpot face = TDialogMap::Face(button);
        return ScreenPixel(origin.X + face.X, origin.Y + face.Y);
    }
    std::uint32_t ButtonBorder(const TSpot& origin, const TControl& button)
    {
        const TPoint o = button.FormOrigin();
        return ScreenPixel(origin.X + o.X + button.Width() / 2, origin.Y + o.Y + button.Height() - 1);
    }
    // Waits until the button shows fill and border (table colours), then checks them.
    void ExpectButton(const TSpot& origin, const TControl& button, std::uint32_t border, std::uint32_t fill,
                      const char* state)
    {
        WaitUntil([&] { return ButtonFill(origin, button) == OnScreen(fill) && ButtonBorder(origin, button) == OnScreen(border); },
                  2s);
        EXPECT_EQ(ButtonFill(origin, button), OnScreen(fill)) << button.Name() << " " << state << ": fill";
        EXPECT_EQ(ButtonBorder(origin, button), OnScreen(border)) << button.Name() << " " << state << ": border";
    }

    // Moves the pointer off the dialog and waits until the dialog has repainted what it left.
    void ParkPointer()
    {
        FInput.MoveTo(ScreenWidth - 2, ScreenHeight - 2);
        EXPECT_FALSE(SettledPicture(FX, FOrigin.X, FOrigin.Y, 450, 354).Empty()) << "the dialog keeps changing";
    }

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
    TProgramProcess dialog(VELTRANE_EXECUTABLE, {"/c"}, ErrPath());
    const auto origin = FindDialog();
    ASSERT_TRUE(origin) << ReadFileText(ErrPath());
    Click(*origin, TDialogMap::Centre(*Map().Form().btnAcept));
    ASSERT_EQ(dialog.WaitExit(10s), 0) << ReadFileText(ErrPath());
    EXPECT_EQ(Stored("Language"), 0);
    EXPECT_EQ(Stored("View Type"), 2);
    EXPECT_EQ(Stored("Image time view"), 10);
}

TEST_F(ConfigDialogE2E, AStoredSpanishOpensInSpanishAndAClickOnEspanolSwitchesAtOnce)
{
    std::vector<std::uint32_t> english, switched, spanish;
    {
        TProgramProcess dialog(VELTRANE_EXECUTABLE, {"/c"}, ErrPath());
        const auto origin = FindDialog();
        ASSERT_TRUE(origin) << ReadFileText(ErrPath());
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
        ASSERT_EQ(dialog.WaitExit(10s), 0) << ReadFileText(ErrPath());
    }
    EXPECT_NE(switched, english) << "the captions change as soon as Espanol is clicked";
    EXPECT_EQ(Stored("Language"), std::nullopt) << "Cancel stores nothing";

    Store("Language", 1);
    {
        TProgramProcess dialog(VELTRANE_EXECUTABLE, {"/c"}, ErrPath());
        const auto origin = FindDialog();
        ASSERT_TRUE(origin) << ReadFileText(ErrPath());
        ParkPointer();
        spanish = Captions(*origin);
        FInput.MoveTo(origin->X + 10, origin->Y + 10);
        FInput.Tap(XK_Escape);
        ASSERT_EQ(dialog.WaitExit(10s), 0) << ReadFileText(ErrPath());
    }
    EXPECT_NE(spanish, english);
    EXPECT_EQ(spanish, switched) << "a stored Spanish shows what choosing it showed";
    EXPECT_EQ(Stored("Language"), 1);
}

TEST_F(ConfigDialogE2E, TypingFiveThenOkStoresTheMinimumTen)
{
    Store("Image time view", 30);
    TProgramProcess dialog(VELTRANE_EXECUTABLE, {"/c"}, ErrPath());
    const auto origin = FindDialog();
    ASSERT_TRUE(origin) << ReadFileText(ErrPath());
    Click(*origin, Map().Tab(1));
    Click(*origin, TDialogMap::Centre(*Map().Form().txtImgWait));
    FInput.Tap(XK_End);
    for (int i = 0; i < 3; ++i)
        FInput.Tap(XK_BackSpace);
    FInput.Tap(XK_5);
    Click(*origin, TDialogMap::Centre(*Map().Form().btnAcept));
    ASSERT_EQ(dialog.WaitExit(10s), 0) << ReadFileText(ErrPath());
    EXPECT_EQ(Stored("Image time view"), 10);
}

TEST_F(ConfigDialogE2E, ThumbnailThreeAndTheWallpaperButtonWriteTheFileAndSetTheRootBackground)
{
    std::filesystem::remove(FWallpaper);
    TProgramProcess dialog(VELTRANE_EXECUTABLE, {"/c"}, ErrPath());
    const auto origin = FindDialog();
    ASSERT_TRUE(origin) << ReadFileText(ErrPath());
    Click(*origin, Map().Thumbnail(3));
    Click(*origin, TDialogMap::Centre(*Map().Form().btnSetWallpaper));
    ASSERT_TRUE(WaitUntil([&] { return RootPixmap() != None; }, 20s)) << ReadFileText(ErrPath());
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
    EXPECT_EQ(dialog.WaitExit(10s), 0) << ReadFileText(ErrPath());
    std::filesystem::remove(FWallpaper);
}

TEST_F(ConfigDialogE2E, TheWallpaperButtonIsDisabledUntilAThumbnailIsClicked)
{
    TProgramProcess dialog(VELTRANE_EXECUTABLE, {"/c"}, ErrPath());
    const auto origin = FindDialog();
    ASSERT_TRUE(origin) << ReadFileText(ErrPath());
    ParkPointer();
    EXPECT_EQ(ScreenPixel(origin->X + TDialogMap::Face(*Map().Form().btnSetWallpaper).X, origin->Y + TDialogMap::Face(*Map().Form().btnSetWallpaper).Y), 0xEAE9E1u)
        << "the disabled fill";
    Click(*origin, TDialogMap::Centre(*Map().Form().btnSetWallpaper));
    // The dialog handles its input in order and sets a wallpaper before it takes the next:
    // once the thumbnail's click shows, the click on the disabled button is over.
    Click(*origin, Map().Thumbnail(1));
    ParkPointer();
    ExpectButton(*origin, *Map().Form().btnSetWallpaper, 0xC6A69C, 0xE7D3CE, "normal");
    EXPECT_EQ(RootPixmap(), static_cast<Pixmap>(None)) << "no wallpaper was set";
    EXPECT_EQ(ReadFileText(ErrPath()), "") << "and nothing was tried";
    Click(*origin, TDialogMap::Centre(*Map().Form().btnCancel));
    EXPECT_EQ(dialog.WaitExit(10s), 0) << ReadFileText(ErrPath());
}

TEST_F(ConfigDialogE2E, AStoredLanguageTwoIsReportedThenTheDialogOpensWithItsDesignChoices)
{
    Store("Language", 2);
    Store("View Type", 0);
    Store("Image time view", 45);
    TProgramProcess dialog(VELTRANE_EXECUTABLE, {"/c"}, ErrPath());
    ASSERT_TRUE(WaitUntil([&] { return ReadFileText(ErrPath()).find("List index out of bounds (1)") != std::string::npos; }))
        << ReadFileText(ErrPath());
    // The message box comes first; Enter dismisses it once it shows.
    bool boxShown = false;
    ASSERT_TRUE(WaitUntil([&] {
        for (const TTopWindow& box : ViewableTopWindows(FConnection))
            boxShown = boxShown || (box.Width != 450 && box.X <= ScreenWidth / 2 && ScreenWidth / 2 < box.X + box.Width &&
                                    box.Y <= ScreenHeight / 2 && ScreenHeight / 2 < box.Y + box.Height);
        return boxShown;
    })) << "no message box at the centre of the screen";
    FInput.MoveTo(ScreenWidth / 2, ScreenHeight / 2);
    FInput.Tap(XK_Return);
    const auto origin = FindDialog();
    ASSERT_TRUE(origin) << ReadFileText(ErrPath());
    Click(*origin, TDialogMap::Centre(*Map().Form().btnAcept));
    ASSERT_EQ(dialog.WaitExit(10s), 0) << ReadFileText(ErrPath());
    // English, "Scale image proportionally" and 10: what the form was designed with.
    EXPECT_EQ(Stored("Language"), 0);
    EXPECT_EQ(Stored("View Type"), 1);
    EXPECT_EQ(Stored("Image time view"), 10);
}

TEST_F(ConfigDialogE2E, ButtonColoursFollowTheStatesUnderThePointerAndWhilePressed)
{
    TProgramProcess dialog(VELTRANE_EXECUTABLE, {"/c"}, ErrPath());
    const auto origin = FindDialog();
    ASSERT_TRUE(origin) << ReadFileText(ErrPath());
    TfrmConfig& form = Map().Form();
    ParkPointer();
    ExpectButton(*origin, *form.btnSetWallpaper, 0xBAC7C9, 0xE1E9EA, "disabled");
    Click(*origin, Map().Thumbnail(2));
    ParkPointer();

    struct TRow {
        const TControl* Button;
        std::uint32_t NormalBorder, NormalFill, InsideBorder, InsideFill, PressedBorder, PressedFill;
    };
    const TRow rows[] = {
        {form.btnAcept, 0xC6A69C, 0x794000, 0x6B2408, 0xE7D3CE, 0x6B2408, 0xE7D3CE},
        {form.btnCancel, 0xC6A69C, 0x794000, 0x6B2408, 0xE7D3CE, 0x6B2408, 0xE7D3CE},
        {form.btnSetWallpaper, 0xC6A69C, 0xE7D3CE, 0x6B2408, 0xCEBAB5, 0x6B2408, 0xD57000},
    };
    for (const TRow& row : rows) {
        ExpectButton(*origin, *row.Button, row.NormalBorder, row.NormalFill, "normal");
        const TSpot centre = TDialogMap::Centre(*row.Button);
        FInput.MoveTo(origin->X + centre.X, origin->Y + centre.Y);
        ExpectButton(*origin, *row.Button, row.InsideBorder, row.InsideFill, "under the pointer");
        FInput.Button(1, true);
        ExpectButton(*origin, *row.Button, row.PressedBorder, row.PressedFill, "held down");
        // Let go away from the button: no click.
        ParkPointer();
        FInput.Button(1, false);
        ExpectButton(*origin, *row.Button, row.NormalBorder, row.NormalFill, "normal again");
    }
    EXPECT_FALSE(dialog.WaitExit(200ms)) << "no button was clicked";
    EXPECT_EQ(RootPixmap(), static_cast<Pixmap>(None)) << "no wallpaper was set";
    Click(*origin, TDialogMap::Centre(*form.btnCancel));
    EXPECT_EQ(dialog.WaitExit(10s), 0) << ReadFileText(ErrPath());
}

TEST_F(ConfigDialogE2E, TheWindowCarriesTheApplicationIcon)
{
    TProgramProcess dialog(VELTRANE_EXECUTABLE, {"/c"}, ErrPath());
    const auto origin = FindDialog();
    ASSERT_TRUE(origin) << ReadFileText(ErrPath());
    const Atom atom = XInternAtom(FX, "_NET_WM_ICON", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(FX, FDialogWindow, atom, 0, 4096, False, XA_CARDINAL, &type, &format, &count, &after,
                                 &data), Success);
    ASSERT_NE(data, nullptr);
    std::vector<unsigned long> values(reinterpret_cast<unsigned long*>(data), reinterpret_cast<unsigned long*>(data) + count);
    XFree(data);
    ASSERT_EQ(values.size(), 2u + 32 * 32);
    EXPECT_EQ(values[0], 32u);
    EXPECT_EQ(values[1], 32u);
    // The picture the dialog shows in its About page is the window's icon.
    const TBitmap* shown = Map().Form().Image1->Picture()->Bitmap();
    ASSERT_NE(shown, nullptr);
    const TBitmap& icon = *shown;
    ASSERT_EQ(icon.Width(), 32);
    ASSERT_EQ(icon.Height(), 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t argb = static_cast<std::uint32_t>(values[2 + static_cast<std::size_t>(y) * 32 + x]);
            ASSERT_EQ(argb, 0xFF000000u | OnScreen(icon.GetPixel(x, y) & 0xFFFFFF)) << x << "," << y;
        }
}

TEST_F(ConfigDialogE2E, ScreenshotsInEnglishAndSpanishMatchTheReferences)
{
    {
        TProgramProcess dialog(VELTRANE_EXECUTABLE, {"/c"}, ErrPath());
        const auto origin = FindDialog();
        ASSERT_TRUE(origin) << ReadFileText(ErrPath());
        ParkPointer();
        CheckScreenshot(*origin, "dialog-en");
        Click(*origin, TDialogMap::Centre(*Map().Form().btnCancel));
        ASSERT_EQ(dialog.WaitExit(10s), 0) << ReadFileText(ErrPath());
    }
    FMap.reset();
    Store("Language", 1);
    {
        TProgramProcess dialog(VELTRANE_EXECUTABLE, {"/c"}, ErrPath());
        const auto origin = FindDialog();
        ASSERT_TRUE(origin) << ReadFileText(ErrPath());
        ParkPointer();
        CheckScreenshot(*origin, "dialog-es");
        FInput.MoveTo(origin->X + 10, origin->Y + 10);
        FInput.Tap(XK_Escape);
        ASSERT_EQ(dialog.WaitExit(10s), 0) << ReadFileText(ErrPath());
    }
}

// Not a check: the picture of the saver for the README, taken only when asked for.
TEST(ConfigDialogDocsE2E, SaverPictureForTheReadme)
{
    if (!Switch("VELTRANE_WRITE_DOCS"))
        GTEST_SKIP() << "set VELTRANE_WRITE_DOCS=1 to write docs/screenshots/saver.png";
    TXvfbServer server(1024, 640);
    TScopedEnvironment displayEnv("DISPLAY", server.Name());
    TPrivateEnvironment environment;
    {
        // Long enough that no cross-fade starts while the picture is taken.
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SettingsKey, true));
        registry.WriteInteger("Image time view", 999);
    }
    TXConnection connection(server.Name());
    TTempFolder capture("veltrane-capture");
    TProgramProcess saver(VELTRANE_EXECUTABLE, {"/s"}, capture.File("stderr"));
    // Poster 1 stands when the centre is no longer black and the screen stops changing.
    TBitmap last;
    ASSERT_TRUE(WaitUntil([&] {
        last = SettledPicture(connection.Get(), 0, 0, 1024, 640, 1s, 300ms);
        return !last.Empty() && (last.GetPixel(512, 320) & 0xFFFFFF) != 0;
    }, 20s)) << ReadFileText(capture.File("stderr"));
    const std::filesystem::path path = TestSourceDir() / "docs" / "screenshots" / "saver.png";
    std::filesystem::create_directories(path.parent_path());
    WritePngFile(HalfSize(last), path.string());
    std::cout << "saver picture: " << path.string() << std::endl;
}

TEST(ScreenshotComparison, IgnoresMaskedTextAndSmallShadesButNotAChangedArea)
{
    TBitmap reference(100, 50, TPixelFormat::pf24bit);
    reference.Fill(0x984E00);
    TBitmap shot(reference);
    const std::vector<TRect> masks{Rect(10, 10, 40, 20)};
    for (int x = 10; x < 40; ++x)
        shot.SetPixel(x, 15, 0xFFFFFF);  // text inside the mask
    for (int x = 0; x < 100; x += 3)
        shot.SetPixel(x, 30, 0x984E00 + 0x0A0A0A);  // slight shading elsewhere
    TComparison result = Compare(shot, reference, masks);
    EXPECT_EQ(result.Problem, "");
    EXPECT_EQ(result.Compared, 100 * 50 - 30 * 10);
    EXPECT_EQ(result.Different, 0);

    for (int y = 40; y < 45; ++y)
        for (int x = 0; x < 10; ++x)
            shot.SetPixel(x, y, 0x000000);  // 50 pixels of another colour: 1 %
    result = Compare(shot, reference, masks);
    EXPECT_EQ(result.Different, 50);
    EXPECT_GT(result.Different, static_cast<int>(result.Compared * DifferentShare));

    EXPECT_NE(Compare(HalfSize(shot), reference, {}).Problem, "") << "sizes that differ are reported";
}
