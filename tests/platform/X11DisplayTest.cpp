#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "support/HostWindow.h"
#include "support/XTestInput.h"
#include "support/XvfbServer.h"
#include "platform/Cp1252.h"
#include "platform/DisplayKeys.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11KeyMap.h"

namespace {

// One private server for the suite: starting Xvfb per test would dominate the run.
class X11DisplayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Server = std::make_unique<TXvfbServer>(640, 480); }
    static void TearDownTestSuite() { Server.reset(); }

    void SetUp() override
    {
        FDisplay = OpenX11Display(Server->Name().c_str());
        ASSERT_NE(FDisplay, nullptr);
    }

    TWindowId FullScreen(const TWindowRect& rect)
    {
        TWindowParams params;
        params.Caption = "Veltrane";
        params.Left = rect.Left;
        params.Top = rect.Top;
        params.Width = rect.Width();
        params.Height = rect.Height();
        params.Style = wsFullScreen;
        const TWindowId id = FDisplay->CreateWindow(params);
        FDisplay->ShowWindow(id, true);
        EXPECT_TRUE(WaitFor(deMapped, id));
        return id;
    }

    // Waits (up to a generous limit) for an event of the kind, dropping the others.
    bool WaitFor(TDisplayEventKind kind, TWindowId window, TDisplayEvent* found = nullptr)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        TDisplayEvent event;
        while (std::chrono::steady_clock::now() < deadline) {
            if (FDisplay->WaitEvent(event, 100) && event.Kind == kind && (window == 0 || event.Window == window)) {
                if (found)
                    *found = event;
                return true;
            }
        }
        return false;
    }

    static std::vector<std::uint8_t> Pattern(int width, int height, int bpp, std::size_t stride, int seed)
    {
        std::vector<std::uint8_t> bytes(stride * height, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    bytes[y * stride + x * bpp + c] = static_cast<std::uint8_t>(x * 7 + y * 13 + c * 71 + seed);
        return bytes;
    }

    std::vector<std::uint8_t> ReadBack(const TWindowRect& rect)
    {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(rect.Width()) * rect.Height() * 4);
        TPixelBuffer buffer{bytes.data(), rect.Width(), rect.Height(), static_cast<std::size_t>(rect.Width()) * 4, false, 4};
        EXPECT_TRUE(FDisplay->ReadScreen(rect, buffer));
        return bytes;
    }

    static std::unique_ptr<TXvfbServer> Server;
    std::unique_ptr<TDisplay> FDisplay;
};

std::unique_ptr<TXvfbServer> X11DisplayTest::Server;

} // namespace

TEST(X11DisplayOpen, NoServerGivesNull)
{
    EXPECT_EQ(OpenX11Display(":4711"), nullptr);
}

TEST_F(X11DisplayTest, PresentedPixelsReadBackExactly)
{
    const TWindowRect rect{20, 30, 20 + 37, 30 + 23};
    const TWindowId w = FullScreen(rect);
    for (int bpp : {3, 4})
        for (bool bottomUp : {true, false}) {
            const std::size_t stride = static_cast<std::size_t>((37 * bpp + 3) / 4 * 4);
            const auto bytes = Pattern(37, 23, bpp, stride, bpp * 2 + bottomUp);
            const TPixelView view{bytes.data(), 37, 23, stride, bottomUp, bpp};
            ASSERT_TRUE(FDisplay->PresentBits(w, 0, 0, view, TWindowRect{0, 0, 37, 23}));
            const auto screen = ReadBack(rect);
            for (int y = 0; y < 23; ++y)
                for (int x = 0; x < 37; ++x) {
                    const std::uint8_t* src = view.Row(y) + x * bpp;
                    const std::uint8_t* got = screen.data() + (static_cast<std::size_t>(y) * 37 + x) * 4;
                    ASSERT_EQ(got[0], src[0]) << bpp << " " << bottomUp << " at " << x << "," << y;
                    ASSERT_EQ(got[1], src[1]);
                    ASSERT_EQ(got[2], src[2]);
                }
        }
    // A sub-rectangle at an offset.
    const auto bytes = Pattern(10, 10, 4, 40, 99);
    const TPixelView view{bytes.data(), 10, 10, 40, false, 4};
    ASSERT_TRUE(FDisplay->PresentBits(w, 5, 6, view, TWindowRect{2, 3, 6, 8}));
    const auto screen = ReadBack(TWindowRect{rect.Left + 5, rect.Top + 6, rect.Left + 9, rect.Top + 11});
    EXPECT_EQ(screen[0], bytes[3 * 40 + 2 * 4]);
    EXPECT_EQ(screen[(4 * 4 + 3) * 4 + 2], bytes[7 * 40 + 5 * 4 + 2]);
    EXPECT_EQ(FDisplay->GetWindowRect(w), rect);
    EXPECT_EQ(FDisplay->GetClientSize(w), (TWindowSize{37, 23}));
}

TEST_F(X11DisplayTest, VisibilityOfAForeignWindowAndQuietBadWindow)
{
    testing::internal::CaptureStderr();
    THostWindow host(Server->Name());
    EXPECT_TRUE(FDisplay->IsWindowVisible(host.Id()));
    EXPECT_EQ(FDisplay->GetWindowRect(host.Id()), (TWindowRect{10, 10, 162, 122}));
    ASSERT_TRUE(FDisplay->WatchWindow(host.Id()));
    host.Unmap();
    EXPECT_FALSE(FDisplay->IsWindowVisible(host.Id()));
    EXPECT_TRUE(FDisplay->WindowExists(host.Id()));
    EXPECT_TRUE(WaitFor(deUnmapped, host.Id()));
    host.Map();
    EXPECT_TRUE(FDisplay->IsWindowVisible(host.Id()));
    const TWindowId id = host.Id();
    host.Destroy();
    EXPECT_TRUE(WaitFor(deDestroyed, id));
    EXPECT_FALSE(FDisplay->IsWindowVisible(id));
    EXPECT_FALSE(FDisplay->WindowExists(id));
    EXPECT_FALSE(FDisplay->GetWindowRect(id).has_value());
    // Ids that never named a window.
    EXPECT_FALSE(FDisplay->IsWindowVisible(0x7FFFFFFF));
    EXPECT_FALSE(FDisplay->IsWindowVisible(0));
    EXPECT_FALSE(FDisplay->WatchWindow(0x7FFFFFFF));
    const std::uint8_t pixel[4] = {1, 2, 3, 0};
    EXPECT_FALSE(FDisplay->PresentBits(id, 0, 0, TPixelView{pixel, 1, 1, 4, true, 4}, TWindowRect{0, 0, 1, 1}));
    FDisplay->SetCaption(id, "gone");
    FDisplay->ShowWindow(id, true);
    FDisplay->SetWindowBounds(id, TWindowRect{0, 0, 5, 5});
    EXPECT_FALSE(FDisplay->ConnectionLost());
    // A round trip makes sure any error of the calls above has arrived.
    EXPECT_FALSE(FDisplay->IsWindowVisible(id));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(X11DisplayTest, HiddenParentMakesAWindowInvisible)
{
    THostWindow host(Server->Name());
    EXPECT_TRUE(FDisplay->IsWindowVisible(host.Id()));
    host.Unmap();
    host.Map();
    EXPECT_TRUE(FDisplay->IsWindowVisible(host.Id()));
}

TEST_F(X11DisplayTest, KeysCarryTheirCharacter)
{
    TXTestInput input(Server->Name());
    const TWindowId w = FullScreen(TWindowRect{0, 0, 200, 200});
    ASSERT_TRUE(FDisplay->GrabInput(w));
    struct TCase {
        unsigned long KeySym;
        std::uint16_t Key;
        unsigned char Char;
    };
    const TCase cases[] = {
        {XK_a, 'A', 'a'}, {XK_Shift_L, vkShift, 0}, {XK_Left, vkLeft, 0}, {XK_F5, vkF1 + 4, 0},
        {XK_Return, vkReturn, '\r'}, {XK_Escape, vkEscape, 27}, {XK_space, vkSpace, ' '}, {XK_5, '5', '5'},
    };
    for (const TCase& c : cases) {
        input.Tap(c.KeySym);
        TDisplayEvent down, up;
        ASSERT_TRUE(WaitFor(deKeyDown, w, &down)) << c.KeySym;
        EXPECT_EQ(down.Key, c.Key) << c.KeySym;
        EXPECT_EQ(down.Char, c.Char) << c.KeySym;
        ASSERT_TRUE(WaitFor(deKeyUp, w, &up));
        EXPECT_EQ(up.Char, 0);
    }
    // Shift held: the upper-case letter, and the modifier in the state.
    input.Key(XK_Shift_L, true);
    input.Tap(XK_b);
    input.Key(XK_Shift_L, false);
    TDisplayEvent event;
    ASSERT_TRUE(WaitFor(deKeyDown, w, &event)); // Shift itself
    ASSERT_TRUE(WaitFor(deKeyDown, w, &event));
    EXPECT_EQ(event.Key, 'B');
    EXPECT_EQ(event.Char, 'B');
    EXPECT_TRUE(event.Shift & ssShift);
    FDisplay->ReleaseInput();
}

TEST_F(X11DisplayTest, MotionAndButtonsInClientAndScreenCoordinates)
{
    TXTestInput input(Server->Name());
    const TWindowId w = FullScreen(TWindowRect{100, 50, 300, 250});
    input.MoveTo(150, 80);
    TDisplayEvent event;
    ASSERT_TRUE(WaitFor(deMouseMove, w, &event));
    while (event.ScreenX != 150 || event.ScreenY != 80)
        ASSERT_TRUE(WaitFor(deMouseMove, w, &event));
    EXPECT_EQ(event.X, 50);
    EXPECT_EQ(event.Y, 30);
    EXPECT_EQ(FDisplay->GetCursorPos(), (TWindowPoint{150, 80}));

    input.Click(1);
    ASSERT_TRUE(WaitFor(deButtonDown, w, &event));
    EXPECT_EQ(event.Button, mbLeft);
    EXPECT_FALSE(event.DoubleClick);
    EXPECT_EQ(event.X, 50);
    input.Click(1);
    ASSERT_TRUE(WaitFor(deButtonDown, w, &event));
    EXPECT_TRUE(event.DoubleClick); // two XTEST clicks come well within 500 ms
    input.Click(3);
    ASSERT_TRUE(WaitFor(deButtonDown, w, &event));
    EXPECT_EQ(event.Button, mbRight);
    EXPECT_FALSE(event.DoubleClick);
}

TEST_F(X11DisplayTest, PrimaryMonitorIsTheServersScreen)
{
    EXPECT_EQ(FDisplay->PrimaryMonitorRect(), (TWindowRect{0, 0, 640, 480}));
    EXPECT_EQ(FDisplay->ScreenSize(), (TWindowSize{640, 480}));
    EXPECT_EQ(FDisplay->ScreenBitsPerPixel(), 24);
}

TEST_F(X11DisplayTest, AWorkerPresentsWhileTheMainThreadWaitsForEvents)
{
    const TWindowRect rect{0, 0, 320, 200};
    const TWindowId w = FullScreen(rect);
    std::atomic<int> failures{0};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        std::vector<std::uint8_t> frame(320 * 200 * 4);
        for (int step = 1; step <= 20; ++step) {
            std::fill(frame.begin(), frame.end(), static_cast<std::uint8_t>(step * 10));
            if (!FDisplay->PresentBits(w, 0, 0, TPixelView{frame.data(), 320, 200, 1280, true, 4}, TWindowRect{0, 0, 320, 200}))
                ++failures;
            // Queries from the worker must not leave the main thread's events waiting.
            if (!FDisplay->IsWindowVisible(w))
                ++failures;
        }
        done = true;
        FDisplay->Wake();
    });
    TDisplayEvent event;
    bool woke = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!woke && std::chrono::steady_clock::now() < deadline)
        if (FDisplay->WaitEvent(event, 1000) && event.Kind == deWake)
            woke = true;
    worker.join();
    EXPECT_TRUE(woke);
    EXPECT_TRUE(done);
    EXPECT_EQ(failures, 0);
    const auto screen = ReadBack(TWindowRect{310, 190, 320, 200});
    EXPECT_EQ(screen[0], 200);
    EXPECT_EQ(screen[2], 200);
}

TEST_F(X11DisplayTest, PresentOntoAWindowDestroyedMeanwhileFailsQuietly)
{
    testing::internal::CaptureStderr();
    THostWindow host(Server->Name());
    std::vector<std::uint8_t> frame(152 * 112 * 4, 0x40);
    const TPixelView view{frame.data(), 152, 112, 152 * 4, true, 4};
    EXPECT_TRUE(FDisplay->PresentBits(host.Id(), 0, 0, view, TWindowRect{0, 0, 152, 112}));
    const TWindowId id = host.Id();
    host.Destroy();
    EXPECT_FALSE(FDisplay->PresentBits(id, 0, 0, view, TWindowRect{0, 0, 152, 112}));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(X11DisplayTest, ClipboardTextTravelsBetweenConnections)
{
    auto other = OpenX11Display(Server->Name().c_str());
    ASSERT_NE(other, nullptr);
    FDisplay->SetClipboardText("caf\xE9 \x80");
    EXPECT_EQ(FDisplay->GetClipboardText(), std::optional<std::string>("caf\xE9 \x80"));
    // The owner answers requests while its event loop runs.
    std::atomic<bool> stop{false};
    std::thread owner([&] {
        TDisplayEvent event;
        while (!stop)
            FDisplay->WaitEvent(event, 20);
    });
    const auto text = other->GetClipboardText();
    stop = true;
    owner.join();
    EXPECT_EQ(text, std::optional<std::string>("caf\xE9 \x80"));
}

TEST_F(X11DisplayTest, DialogAndNormalWindowsAreCreatedShownAndClosed)
{
    TWindowParams params;
    params.Caption = "Veltrane";
    params.Left = 50;
    params.Top = 60;
    params.Width = 450;
    params.Height = 354;
    params.Style = wsDialog;
    const TWindowId w = FDisplay->CreateWindow(params);
    EXPECT_FALSE(FDisplay->IsWindowVisible(w));
    FDisplay->ShowWindow(w, true);
    TDisplayEvent paint;
    ASSERT_TRUE(WaitFor(dePaint, w, &paint));
    EXPECT_FALSE(paint.Rect.IsEmpty());
    EXPECT_TRUE(FDisplay->IsWindowVisible(w));
    EXPECT_EQ(FDisplay->GetClientSize(w), (TWindowSize{450, 354}));
    FDisplay->SetCursor(w, crHandPoint);
    FDisplay->SetCursor(w, crNone);
    FDisplay->ShowCursor(false);
    FDisplay->ShowCursor(true);
    FDisplay->ShowWindow(w, false);
    EXPECT_FALSE(FDisplay->IsWindowVisible(w));
    FDisplay->DestroyWindow(w);
    EXPECT_FALSE(FDisplay->WindowExists(w));
}

TEST(X11DisplayLoss, AServerThatGoesAwayIsReportedAndDoesNotEndTheProcess)
{
    TXvfbServer server(320, 240);
    auto display = OpenX11Display(server.Name().c_str());
    ASSERT_NE(display, nullptr);
    TWindowParams params;
    params.Width = 50;
    params.Height = 50;
    params.Style = wsFullScreen;
    const TWindowId w = display->CreateWindow(params);
    display->ShowWindow(w, true);
    testing::internal::CaptureStderr();
    server.Kill();
    TDisplayEvent event;
    bool lost = false;
    for (int i = 0; i < 100 && !lost; ++i)
        lost = display->WaitEvent(event, 100) && event.Kind == deConnectionLost;
    EXPECT_TRUE(lost);
    EXPECT_TRUE(display->ConnectionLost());
    EXPECT_FALSE(display->IsWindowVisible(w));
    const std::uint8_t pixel[4] = {};
    EXPECT_FALSE(display->PresentBits(w, 0, 0, TPixelView{pixel, 1, 1, 4, true, 4}, TWindowRect{0, 0, 1, 1}));
    EXPECT_THROW(display->CreateWindow(params), EDisplayError);
    display.reset();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(X11KeyMap, CodePage1252RoundTripsAndRefusesWhatItCannotHold)
{
    EXPECT_EQ(Cp1252FromCodePoint(0x20AC), 0x80);
    EXPECT_EQ(Cp1252FromCodePoint(0x00E9), 0xE9);
    EXPECT_EQ(Cp1252FromCodePoint(0x0152), 0x8C);
    EXPECT_EQ(Cp1252FromCodePoint(0x0100), 0);  // not in the code page
    EXPECT_EQ(Cp1252FromCodePoint(0x0081), 0);  // a C1 control, not a 1252 character
    EXPECT_EQ(Cp1252FromCodePoint(0x7F), 0);    // Delete types nothing
    for (int ch = 1; ch < 256; ++ch) {
        const char16_t cp = Cp1252ToUnicode(static_cast<unsigned char>(ch));
        if (ch != 0x7F && (cp < 0x80 || cp >= 0xA0)) {
            EXPECT_EQ(Cp1252FromCodePoint(cp), ch) << ch;
        }
    }
    EXPECT_EQ(CodePointFromKeySym(XK_eacute), 0xE9u);
    EXPECT_EQ(CodePointFromKeySym(XK_EuroSign), 0x20ACu);
    EXPECT_EQ(CodePointFromKeySym(0x01000152), 0x152u);
    EXPECT_EQ(CodePointFromKeySym(XK_Shift_L), 0u);
    EXPECT_EQ(VirtualKeyFromKeySym(XK_z), 'Z');
    EXPECT_EQ(VirtualKeyFromKeySym(XK_KP_7), vkNumpad0 + 7);
    EXPECT_EQ(VirtualKeyFromKeySym(XK_F12), vkF1 + 11);
    EXPECT_EQ(VirtualKeyFromKeySym(XK_ISO_Left_Tab), vkTab);
}
