#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/DisplayClickTracker.h"
#include "platform/DisplayKeys.h"
#include "platform/memory/MemoryDisplay.h"

namespace {

// A small image with rows of padding, as the frames of the engine have them.
struct TTestImage {
    int Width;
    int Height;
    int BytesPerPixel;
    bool BottomUp;
    std::size_t Stride;
    std::vector<std::uint8_t> Bytes;

    TTestImage(int width, int height, int bytesPerPixel, bool bottomUp)
        : Width(width), Height(height), BytesPerPixel(bytesPerPixel), BottomUp(bottomUp),
          Stride(static_cast<std::size_t>(width * bytesPerPixel + 4)), Bytes(Stride * height, 0xEE)
    {
    }
    // Colour 0x00BBGGRR at (x, y) counted from the top.
    void Set(int x, int y, std::uint32_t color)
    {
        std::uint8_t* p = Bytes.data() + static_cast<std::size_t>(BottomUp ? Height - 1 - y : y) * Stride + x * BytesPerPixel;
        p[0] = static_cast<std::uint8_t>(color >> 16);
        p[1] = static_cast<std::uint8_t>(color >> 8);
        p[2] = static_cast<std::uint8_t>(color);
    }
    static std::uint32_t Pattern(int x, int y) { return static_cast<std::uint32_t>((x * 37 + y * 11) & 0xFF) | ((x & 0xFF) << 8) | ((y & 0xFF) << 16); }
    void FillPattern()
    {
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                Set(x, y, Pattern(x, y));
    }
    TPixelView View() const { return TPixelView{Bytes.data(), Width, Height, Stride, BottomUp, BytesPerPixel}; }
};

TWindowId CreateShown(TMemoryDisplay& display, int left, int top, int width, int height, bool topMost = false)
{
    TWindowParams params;
    params.Left = left;
    params.Top = top;
    params.Width = width;
    params.Height = height;
    params.TopMost = topMost;
    const TWindowId id = display.CreateWindow(params);
    display.ShowWindow(id, true);
    return id;
}

std::vector<TDisplayEventKind> Drain(TMemoryDisplay& display)
{
    std::vector<TDisplayEventKind> kinds;
    TDisplayEvent event;
    while (display.WaitEvent(event, 0))
        kinds.push_back(event.Kind);
    return kinds;
}

} // namespace

// --- presenting pixels ------------------------------------------------------------

TEST(MemoryDisplayPresent, BottomUpAndTopDownImagesLandTheRightWayUp)
{
    for (int bpp : {3, 4})
        for (bool bottomUp : {true, false}) {
            TMemoryDisplay display(100, 100);
            const TWindowId w = CreateShown(display, 0, 0, 7, 5);
            TTestImage image(7, 5, bpp, bottomUp);
            image.FillPattern();
            ASSERT_TRUE(display.PresentBits(w, 0, 0, image.View(), TWindowRect{0, 0, 7, 5}));
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 7; ++x)
                    ASSERT_EQ(display.WindowPixel(w, x, y), TTestImage::Pattern(x, y))
                        << "bpp " << bpp << " bottomUp " << bottomUp << " at " << x << "," << y;
        }
}

TEST(MemoryDisplayPresent, SourceRectAndDestinationAreClipped)
{
    TMemoryDisplay display(100, 100);
    const TWindowId w = CreateShown(display, 0, 0, 10, 10);
    TTestImage image(8, 8, 4, true);
    image.FillPattern();
    // Source reaches past the image; destination starts left of and above the window.
    ASSERT_TRUE(display.PresentBits(w, -2, -3, image.View(), TWindowRect{1, 1, 20, 20}));
    // Window (0,0) shows source (1+2, 1+3).
    EXPECT_EQ(display.WindowPixel(w, 0, 0), TTestImage::Pattern(3, 4));
    EXPECT_EQ(display.WindowPixel(w, 4, 3), TTestImage::Pattern(7, 7));
    // Beyond the image's last column and row nothing was written.
    EXPECT_EQ(display.WindowPixel(w, 5, 0), 0u);
    EXPECT_EQ(display.WindowPixel(w, 0, 4), 0u);
    // An offset inside the window.
    ASSERT_TRUE(display.PresentBits(w, 6, 6, image.View(), TWindowRect{0, 0, 8, 8}));
    EXPECT_EQ(display.WindowPixel(w, 9, 9), TTestImage::Pattern(3, 3));
}

TEST(MemoryDisplayPresent, DestroyedOrUnknownWindowFailsQuietly)
{
    TMemoryDisplay display(100, 100);
    const TWindowId w = CreateShown(display, 0, 0, 4, 4);
    TTestImage image(4, 4, 4, true);
    display.DestroyWindow(w);
    EXPECT_FALSE(display.PresentBits(w, 0, 0, image.View(), TWindowRect{0, 0, 4, 4}));
    EXPECT_FALSE(display.PresentBits(0x12345, 0, 0, image.View(), TWindowRect{0, 0, 4, 4}));
    TPixelView bad = image.View();
    bad.BytesPerPixel = 2;
    const TWindowId other = CreateShown(display, 0, 0, 4, 4);
    EXPECT_FALSE(display.PresentBits(other, 0, 0, bad, TWindowRect{0, 0, 4, 4}));
}

TEST(MemoryDisplayPresent, PresentsFromAWorkerWhileTheMainThreadWaits)
{
    TMemoryDisplay display(64, 64);
    const TWindowId w = CreateShown(display, 0, 0, 16, 16);
    Drain(display);
    std::atomic<int> failures{0};
    std::thread worker([&] {
        TTestImage image(16, 16, 4, true);
        for (int step = 1; step <= 20; ++step) {
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    image.Set(x, y, static_cast<std::uint32_t>(step));
            if (!display.PresentBits(w, 0, 0, image.View(), TWindowRect{0, 0, 16, 16}))
                ++failures;
        }
        display.Wake();
    });
    TDisplayEvent event;
    ASSERT_TRUE(display.WaitEvent(event, -1));
    EXPECT_EQ(event.Kind, deWake);
    worker.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(display.PresentCount(w), 20);
    EXPECT_EQ(display.WindowPixel(w, 15, 15), 20u);
}

// --- the screen ---------------------------------------------------------------------

TEST(MemoryDisplayScreen, ReadsCompositeVisibleWindowsInZOrder)
{
    TMemoryDisplay display(40, 30);
    const TWindowId below = CreateShown(display, 0, 0, 20, 20);
    const TWindowId above = CreateShown(display, 10, 10, 20, 20);
    TTestImage red(20, 20, 4, true), blue(20, 20, 4, true);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            red.Set(x, y, 0x0000FF);
            blue.Set(x, y, 0xFF0000);
        }
    display.PresentBits(below, 0, 0, red.View(), TWindowRect{0, 0, 20, 20});
    display.PresentBits(above, 0, 0, blue.View(), TWindowRect{0, 0, 20, 20});
    EXPECT_EQ(display.ScreenPixel(5, 5), 0x0000FFu);
    EXPECT_EQ(display.ScreenPixel(15, 15), 0xFF0000u);
    EXPECT_EQ(display.ScreenPixel(35, 5), 0u); // desktop
    display.RaiseWindow(below);
    EXPECT_EQ(display.ScreenPixel(15, 15), 0x0000FFu);
    display.ShowWindow(below, false);
    EXPECT_EQ(display.ScreenPixel(15, 15), 0xFF0000u);
    EXPECT_EQ(display.ScreenPixel(5, 5), 0u);

    // Read into a bottom-up 24-bit buffer, partly off the screen.
    std::vector<std::uint8_t> bytes(4 * 12, 0x55);
    TPixelBuffer buffer{bytes.data(), 3, 3, 12, true, 3};
    ASSERT_TRUE(display.ReadScreen(TWindowRect{28, 28, 31, 31}, buffer));
    const std::uint8_t* top = buffer.Row(0);
    EXPECT_EQ(top[0], 0xFF); // (28,28) is blue: B first
    EXPECT_EQ(top[2], 0x00);
    const std::uint8_t* bottom = buffer.Row(2); // y = 30 is off the 30-pixel screen
    EXPECT_EQ(bottom[0], 0);
    EXPECT_EQ(buffer.Row(0)[2 * 3], 0); // (30, 28): right of the top window, on the desktop
}

TEST(MemoryDisplayScreen, AReadStartingAboveAndLeftOfTheScreenPlacesThePixelsOnTheScreenAtTheirOffset)
{
    TMemoryDisplay display(10, 10);
    const TWindowId w = CreateShown(display, 0, 0, 10, 10);
    TTestImage red(10, 10, 4, true);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            red.Set(x, y, 0x0000FF);
    display.PresentBits(w, 0, 0, red.View(), TWindowRect{0, 0, 10, 10});
    std::vector<std::uint8_t> bytes(4 * 3 * 4, 0x55);
    const TPixelBuffer buffer{bytes.data(), 4, 3, 16, false, 4};
    ASSERT_TRUE(display.ReadScreen(TWindowRect{-2, -1, 2, 2}, buffer));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(buffer.Row(y)[x * 4 + 2], x >= 2 && y >= 1 ? 0xFF : 0) << x << "," << y;
}

TEST(MemoryDisplayScreen, TopMostWindowsStayAboveRaisedOrdinaryOnes)
{
    TMemoryDisplay display(50, 50);
    const TWindowId saver = CreateShown(display, 0, 0, 50, 50, true);
    const TWindowId dialog = CreateShown(display, 0, 0, 10, 10);
    display.RaiseWindow(dialog);
    EXPECT_EQ(display.ZOrder().back(), saver);
    display.SetTopMost(saver, false);
    display.RaiseWindow(dialog);
    EXPECT_EQ(display.ZOrder().back(), dialog);
    EXPECT_FALSE(display.IsTopMost(saver));
}

// --- windows --------------------------------------------------------------------------

TEST(MemoryDisplayWindows, VisibilityFollowsMappingAndDestruction)
{
    TMemoryDisplay display(200, 200);
    const TWindowId host = display.CreateForeignWindow(TWindowRect{10, 20, 162, 132});
    EXPECT_TRUE(display.IsWindowVisible(host));
    EXPECT_EQ(display.GetWindowRect(host), (TWindowRect{10, 20, 162, 132}));
    EXPECT_EQ(display.GetClientSize(host), (TWindowSize{152, 112}));
    display.SetWindowVisible(host, false);
    EXPECT_FALSE(display.IsWindowVisible(host));
    EXPECT_TRUE(display.WindowExists(host));
    display.SetWindowVisible(host, true);
    display.DestroyWindow(host);
    EXPECT_FALSE(display.IsWindowVisible(host));
    EXPECT_FALSE(display.WindowExists(host));
    EXPECT_FALSE(display.GetWindowRect(host).has_value());
    EXPECT_EQ(display.GetClientSize(host), (TWindowSize{}));
    EXPECT_FALSE(display.IsWindowVisible(0));
}

TEST(MemoryDisplayWindows, ForeignWindowsReportOnlyWhenWatched)
{
    TMemoryDisplay display(200, 200);
    const TWindowId quiet = display.CreateForeignWindow(TWindowRect{0, 0, 10, 10});
    display.SetWindowVisible(quiet, false);
    display.DestroyWindow(quiet);
    EXPECT_TRUE(Drain(display).empty());

    const TWindowId host = display.CreateForeignWindow(TWindowRect{0, 0, 10, 10});
    EXPECT_TRUE(display.WatchWindow(host));
    EXPECT_FALSE(display.WatchWindow(quiet));
    display.SetWindowVisible(host, false);
    display.DestroyWindow(host);
    EXPECT_EQ(Drain(display), (std::vector<TDisplayEventKind>{deUnmapped, deDestroyed}));
}

TEST(MemoryDisplayWindows, ShowingResizingAndFocusQueueTheirEvents)
{
    TMemoryDisplay display(200, 200);
    TWindowParams params;
    params.Caption = "Veltrane";
    params.Width = 20;
    params.Height = 10;
    params.Style = wsDialog;
    const TWindowId w = display.CreateWindow(params);
    EXPECT_EQ(display.Caption(w), "Veltrane");
    EXPECT_EQ(display.WindowStyle(w), wsDialog);
    EXPECT_FALSE(display.IsWindowVisible(w));
    display.ShowWindow(w, true);
    display.SetFocus(w);
    EXPECT_EQ(Drain(display), (std::vector<TDisplayEventKind>{deMapped, dePaint, deFocusIn}));

    display.SetWindowBounds(w, TWindowRect{5, 5, 45, 25});
    TDisplayEvent event;
    ASSERT_TRUE(display.WaitEvent(event, 0));
    EXPECT_EQ(event.Kind, deConfigure);
    EXPECT_EQ(event.Rect, (TWindowRect{5, 5, 45, 25}));
    ASSERT_TRUE(display.WaitEvent(event, 0));
    EXPECT_EQ(event.Kind, dePaint);
    EXPECT_EQ(event.Rect, (TWindowRect{0, 0, 40, 20}));
    EXPECT_EQ(display.GetClientSize(w), (TWindowSize{40, 20}));
    display.DestroyWindow(w);
    EXPECT_EQ(display.FocusWindow(), 0u);
}

TEST(MemoryDisplayWindows, ResizeKeepsTheOverlappingPixels)
{
    TMemoryDisplay display(100, 100);
    const TWindowId w = CreateShown(display, 0, 0, 4, 4);
    TTestImage image(4, 4, 4, true);
    image.FillPattern();
    display.PresentBits(w, 0, 0, image.View(), TWindowRect{0, 0, 4, 4});
    display.SetWindowBounds(w, TWindowRect{0, 0, 6, 2});
    EXPECT_EQ(display.WindowPixel(w, 3, 1), TTestImage::Pattern(3, 1));
    EXPECT_EQ(display.WindowPixel(w, 5, 1), 0u);
}

// --- events and input -----------------------------------------------------------------

TEST(MemoryDisplayEvents, WaitTimesOutWithoutEventsAndWakesFromAnotherThread)
{
    TMemoryDisplay display(10, 10);
    TDisplayEvent event;
    EXPECT_FALSE(display.WaitEvent(event, 0));
    EXPECT_FALSE(display.WaitEvent(event, 5));
    EXPECT_FALSE(display.Pending());
    std::thread waker([&] { display.Wake(); });
    ASSERT_TRUE(display.WaitEvent(event, -1));
    EXPECT_EQ(event.Kind, deWake);
    waker.join();
    EXPECT_FALSE(display.Pending());
}

TEST(MemoryDisplayEvents, ConnectionLossIsReportedOnceAndEverythingFails)
{
    TMemoryDisplay display(10, 10);
    const TWindowId w = CreateShown(display, 0, 0, 4, 4);
    display.SimulateConnectionLoss();
    TDisplayEvent event;
    ASSERT_TRUE(display.WaitEvent(event, 0));
    EXPECT_EQ(event.Kind, deConnectionLost);
    EXPECT_FALSE(display.WaitEvent(event, 0));
    EXPECT_TRUE(display.ConnectionLost());
    EXPECT_FALSE(display.IsWindowVisible(w));
    TTestImage image(4, 4, 4, true);
    EXPECT_FALSE(display.PresentBits(w, 0, 0, image.View(), TWindowRect{0, 0, 4, 4}));
    EXPECT_THROW(display.CreateWindow(TWindowParams{}), EDisplayError);
}

TEST(MemoryDisplayInput, MouseGoesToTheWindowUnderThePointerOrTheGrab)
{
    TMemoryDisplay display(200, 200);
    const TWindowId left = CreateShown(display, 0, 0, 100, 100);
    const TWindowId right = CreateShown(display, 100, 0, 100, 100);
    Drain(display);
    display.InjectMouseMove(150, 40);
    TDisplayEvent event;
    ASSERT_TRUE(display.WaitEvent(event, 0));
    EXPECT_EQ(event.Kind, deMouseEnter);
    ASSERT_TRUE(display.WaitEvent(event, 0));
    EXPECT_EQ(event.Kind, deMouseMove);
    EXPECT_EQ(event.Window, right);
    EXPECT_EQ(event.X, 50);
    EXPECT_EQ(event.Y, 40);
    EXPECT_EQ(event.ScreenX, 150);
    EXPECT_EQ(display.GetCursorPos(), (TWindowPoint{150, 40}));

    ASSERT_TRUE(display.GrabInput(left));
    display.InjectMouseMove(160, 50);
    Drain(display); // leave/enter
    display.InjectMouseMove(161, 50);
    ASSERT_TRUE(display.WaitEvent(event, 0));
    EXPECT_EQ(event.Window, left);
    EXPECT_EQ(event.X, 161); // client coordinates of the grabbing window
    display.ShowWindow(left, false);
    EXPECT_EQ(display.GrabWindow(), 0u); // an unmapped window loses its grab
    EXPECT_FALSE(display.GrabInput(left));
}

TEST(MemoryDisplayInput, DoubleClicksNeedTimeAndPlace)
{
    TMemoryDisplay display(100, 100);
    const TWindowId w = CreateShown(display, 0, 0, 100, 100);
    display.InjectMouseMove(10, 10);
    Drain(display);
    auto press = [&] {
        display.InjectButton(mbLeft, true);
        display.InjectButton(mbLeft, false);
        TDisplayEvent down, up;
        EXPECT_TRUE(display.WaitEvent(down, 0));
        EXPECT_TRUE(display.WaitEvent(up, 0));
        EXPECT_EQ(down.Window, w);
        EXPECT_EQ(up.Kind, deButtonUp);
        return down.DoubleClick;
    };
    EXPECT_FALSE(press());
    display.AdvanceTime(500);
    EXPECT_TRUE(press());
    EXPECT_FALSE(press()); // a third press starts again
    display.AdvanceTime(501);
    EXPECT_FALSE(press());
}

TEST(MemoryDisplayInput, KeysGoToTheFocusedWindowWithTheirCharacter)
{
    TMemoryDisplay display(100, 100);
    const TWindowId w = CreateShown(display, 0, 0, 10, 10);
    display.InjectKey('A', 'a', true);
    EXPECT_TRUE(Drain(display).size() == 2); // mapped, paint: no focus yet, the key went nowhere
    display.SetFocus(w);
    Drain(display);
    display.InjectKey('A', 'a', true, ssShift);
    display.InjectKey('A', 'a', false);
    TDisplayEvent event;
    ASSERT_TRUE(display.WaitEvent(event, 0));
    EXPECT_EQ(event.Kind, deKeyDown);
    EXPECT_EQ(event.Key, 'A');
    EXPECT_EQ(event.Char, 'a');
    EXPECT_EQ(event.Shift & ssShift, ssShift);
    ASSERT_TRUE(display.WaitEvent(event, 0));
    EXPECT_EQ(event.Kind, deKeyUp);
    EXPECT_EQ(event.Char, 0);
}

TEST(MemoryDisplayMisc, CursorCountClipboardAndBeep)
{
    TMemoryDisplay display(10, 10);
    display.ShowCursor(false);
    display.ShowCursor(false);
    display.ShowCursor(true);
    EXPECT_EQ(display.CursorShowCount(), -1);
    EXPECT_FALSE(display.GetClipboardText().has_value());
    display.SetClipboardText("caf\xE9");
    EXPECT_EQ(display.GetClipboardText(), std::optional<std::string>("caf\xE9"));
    display.Beep();
    EXPECT_EQ(display.BeepCount(), 1);
    const TWindowId w = CreateShown(display, 0, 0, 10, 10);
    display.SetCursor(w, crHandPoint);
    EXPECT_EQ(display.WindowCursor(w), crHandPoint);
}

TEST(DisplayClickTracker, OnlyTheSameButtonAndWindowMakeADoubleClick)
{
    TDisplayClickTracker clicks;
    EXPECT_FALSE(clicks.Press(1, mbLeft, 10, 10, 1000));
    EXPECT_FALSE(clicks.Press(1, mbRight, 10, 10, 1100)); // other button
    EXPECT_FALSE(clicks.Press(2, mbRight, 10, 10, 1200)); // other window
    EXPECT_TRUE(clicks.Press(2, mbRight, 14, 6, 1700));   // 4 px and 500 ms: still double
    EXPECT_FALSE(clicks.Press(2, mbLeft, 0, 0, 2000));
    EXPECT_FALSE(clicks.Press(2, mbLeft, 5, 0, 2001));    // 5 px: too far
    // Server time wrapping through zero.
    EXPECT_FALSE(clicks.Press(3, mbLeft, 0, 0, 0xFFFFFF00u));
    EXPECT_TRUE(clicks.Press(3, mbLeft, 0, 0, 0x00000010u));
}
