#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "EngineFixture.h"
#include "FrameSupport.h"
#include "engine/DoTransitionThread.h"
#include "engine/QsvImgFree.h"
#include "platform/Kernel.h"
#include "platform/memory/MemoryDisplay.h"

namespace {

using namespace std::chrono_literals;

// A memory display that notes the top-left pixel and the time of every present.
class TPreviewDisplay : public TMemoryDisplay {
public:
    TPreviewDisplay() : TMemoryDisplay(640, 480) {}

    bool PresentBits(TWindowId window, int destX, int destY, const TPixelView& pixels,
                     const TWindowRect& source) override
    {
        if (pixels.Width > 0 && pixels.Height > 0) {
            const std::uint8_t* p = pixels.Row(0);
            std::lock_guard lock(FRecordLock);
            FColours.push_back(p[2] | (p[1] << 8) | (static_cast<std::uint32_t>(p[0]) << 16));
            FTicks.push_back(GetTickCount());
        }
        return TMemoryDisplay::PresentBits(window, destX, destY, pixels, source);
    }

    std::vector<std::uint32_t> Colours()
    {
        std::lock_guard lock(FRecordLock);
        return FColours;
    }
    std::vector<std::uint32_t> Ticks()
    {
        std::lock_guard lock(FRecordLock);
        return FTicks;
    }
    // Waits until at least count presents were made; false after a generous while.
    bool WaitForPresents(std::size_t count)
    {
        for (int i = 0; i < 2000; ++i) {
            if (Colours().size() >= count)
                return true;
            std::this_thread::sleep_for(5ms);
        }
        return false;
    }

private:
    std::mutex FRecordLock;
    std::vector<std::uint32_t> FColours;
    std::vector<std::uint32_t> FTicks;
};

class Preview : public EngineTest {
protected:
    TPreviewDisplay FDisplay;
    std::unique_ptr<T_QsvImgFree> FEngine;
    TWindowId FWindow = 0;
    std::future<void> FRun;

    void SetUp() override
    {
        FEngine = std::make_unique<T_QsvImgFree>();
        FEngine->ParseCommandLine({"/p"});
        FEngine->SetDisplay(&FDisplay);
        FEngine->FadeDelay = 1;
        FEngine->ImageTime = 0;
        for (int i = 1; i <= T_QsvImgFree::ImageCount; ++i)
            UsePoster(*FEngine, i, PlainPoster(1, 1, PosterColour(i)));
    }

    void TearDown() override
    {
        if (FRun.valid() && FRun.wait_for(10s) != std::future_status::ready) {
            ADD_FAILURE() << "the preview did not end";
            FDisplay.SimulateConnectionLoss();
            FRun.wait();
        }
        FEngine.reset();
    }

    // Runs the preview on a thread of its own, into window.
    void Start(TWindowId window)
    {
        FEngine->HostWnd = window;
        FRun = std::async(std::launch::async, [this] { FEngine->RunPreview(); });
    }

    // True when the preview has ended within a generous while.
    bool Ended() { return FRun.wait_for(10s) == std::future_status::ready; }
};

TEST_F(Preview, PosterOneAtOnceThenFadesWithoutPause)
{
    FWindow = FDisplay.CreateForeignWindow(TWindowRect{10, 10, 162, 122});
    FEngine->ViewType = 0;  // stored original size: the preview fits all the same
    Start(FWindow);
    ASSERT_TRUE(FDisplay.WaitForPresents(61));
    FDisplay.SetWindowVisible(FWindow, false);
    ASSERT_TRUE(Ended());
    FRun.get();
    const std::vector<std::uint32_t> colours = FDisplay.Colours();
    EXPECT_EQ(colours[0], PosterColour(1));
    EXPECT_EQ(colours[20], PosterColour(2));  // after twenty steps from 1 to 2
    EXPECT_EQ(colours[40], PosterColour(3));
    EXPECT_EQ(colours[60], PosterColour(4));
    EXPECT_EQ(FEngine->ViewType, 2);
    // Fitted to the whole window, without a watermark.
    EXPECT_EQ(FDisplay.WindowPixel(FWindow, 151, 111), FDisplay.WindowPixel(FWindow, 0, 0));
    // No worker is left once the preview is over.
    ASSERT_NE(FEngine->FadeWorker, nullptr);
    EXPECT_TRUE(FEngine->FadeWorker->Finished());
}

TEST_F(Preview, EachPosterStaysForTheImageTime)
{
    FEngine->ImageTime = 1;
    FWindow = FDisplay.CreateForeignWindow(TWindowRect{0, 0, 8, 6});
    Start(FWindow);
    ASSERT_TRUE(FDisplay.WaitForPresents(22));
    FDisplay.SetWindowVisible(FWindow, false);
    ASSERT_TRUE(Ended());
    const std::vector<std::uint32_t> ticks = FDisplay.Ticks();
    EXPECT_GE(TicksBetween(ticks[0], ticks[1]), 1000u);
    EXPECT_EQ(FDisplay.Colours()[0], PosterColour(1));
    EXPECT_EQ(FDisplay.Colours()[20], PosterColour(2));
}

TEST_F(Preview, NegativeTimeCountsAsNone)
{
    FEngine->ImageTime = -3;
    FWindow = FDisplay.CreateForeignWindow(TWindowRect{0, 0, 8, 6});
    Start(FWindow);
    ASSERT_TRUE(FDisplay.WaitForPresents(41));
    FDisplay.SetWindowVisible(FWindow, false);
    ASSERT_TRUE(Ended());
}

TEST_F(Preview, NoWindowMeansNothingIsDrawn)
{
    Start(0);
    ASSERT_TRUE(Ended());
    Start(0x7FFF1234);  // names no window
    ASSERT_TRUE(Ended());
    FEngine->SetDisplay(nullptr);
    Start(FDisplay.CreateForeignWindow(TWindowRect{0, 0, 8, 6}));
    ASSERT_TRUE(Ended());
    EXPECT_EQ(FDisplay.Colours().size(), 0u);
}

TEST_F(Preview, WaitsUntilTheHostShowsItsWindow)
{
    FWindow = FDisplay.CreateForeignWindow(TWindowRect{0, 0, 8, 6}, false);
    FEngine->ImageTime = 30;
    Start(FWindow);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(FDisplay.Colours().size(), 0u);
    EXPECT_EQ(FRun.wait_for(0s), std::future_status::timeout);
    FDisplay.SetWindowVisible(FWindow, true);
    ASSERT_TRUE(FDisplay.WaitForPresents(1));
    EXPECT_EQ(FDisplay.WindowPixel(FWindow, 7, 5), PosterColour(1));
    FDisplay.SetWindowVisible(FWindow, false);
    EXPECT_TRUE(Ended());  // within one pass, not after the thirty seconds
    for (std::uint32_t colour : FDisplay.Colours())
        EXPECT_EQ(colour, PosterColour(1));  // poster 1 (and repaints of it), no fade
}

TEST_F(Preview, WindowDestroyedBeforeItIsShownEndsThePreview)
{
    FWindow = FDisplay.CreateForeignWindow(TWindowRect{0, 0, 8, 6}, false);
    Start(FWindow);
    std::this_thread::sleep_for(50ms);
    FDisplay.DestroyWindow(FWindow);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(FDisplay.Colours().size(), 0u);
}

TEST_F(Preview, WindowDestroyedMidFadeEndsThePreview)
{
    FEngine->FadeDelay = 20;
    FWindow = FDisplay.CreateForeignWindow(TWindowRect{0, 0, 8, 6});
    Start(FWindow);
    ASSERT_TRUE(FDisplay.WaitForPresents(5));
    FDisplay.DestroyWindow(FWindow);
    ASSERT_TRUE(Ended());
    EXPECT_LT(FDisplay.Colours().size(), 21u);
    ASSERT_NE(FEngine->FadeWorker, nullptr);
    EXPECT_TRUE(FEngine->FadeWorker->Finished());  // asked to stop and joined
}

TEST_F(Preview, LostDisplayEndsThePreview)
{
    FEngine->ImageTime = 30;
    FWindow = FDisplay.CreateForeignWindow(TWindowRect{0, 0, 8, 6});
    Start(FWindow);
    ASSERT_TRUE(FDisplay.WaitForPresents(1));
    FDisplay.SimulateConnectionLoss();
    EXPECT_TRUE(Ended());
}

TEST_F(Preview, PaintRequestRepaintsWhatIsOnScreen)
{
    FEngine->ImageTime = 30;
    FWindow = FDisplay.CreateForeignWindow(TWindowRect{0, 0, 8, 6});
    Start(FWindow);
    ASSERT_TRUE(FDisplay.WaitForPresents(1));
    TDisplayEvent paint;
    paint.Kind = dePaint;
    paint.Window = FWindow;
    paint.Rect = TWindowRect{0, 0, 8, 6};
    FDisplay.InjectEvent(paint);
    ASSERT_TRUE(FDisplay.WaitForPresents(2));
    EXPECT_EQ(FDisplay.Colours()[1], PosterColour(1));
    FDisplay.SetWindowVisible(FWindow, false);
    EXPECT_TRUE(Ended());
}

TEST_F(Preview, MissingPosterEndsThePreviewWithTheResourceError)
{
    FEngine->Posters().Clear();
    FEngine->ImageNames[2] = "img99";
    FWindow = FDisplay.CreateForeignWindow(TWindowRect{0, 0, 8, 6});
    Start(FWindow);
    ASSERT_TRUE(Ended());
    EXPECT_THROW(FRun.get(), EResNotFound);
}

} // namespace
