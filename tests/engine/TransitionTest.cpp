#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "EngineFixture.h"
#include "FrameSupport.h"
#include "engine/DoTransitionThread.h"
#include "engine/QsvImgFree.h"
#include "gfx/MulDiv.h"
#include "platform/memory/MemoryDisplay.h"

namespace {

// A memory display that also notes the colour of the first pixel of every present.
class TRecordingDisplay : public TMemoryDisplay {
public:
    TRecordingDisplay() : TMemoryDisplay(640, 480) {}

    bool PresentBits(TWindowId window, int destX, int destY, const TPixelView& pixels,
                     const TWindowRect& source) override
    {
        {
            std::lock_guard lock(FRecordLock);
            FFirstBytes.push_back(pixels.Width > 0 && pixels.Height > 0 ? pixels.Row(0)[0] : -1);
        }
        return TMemoryDisplay::PresentBits(window, destX, destY, pixels, source);
    }

    std::vector<int> FirstBytes()
    {
        std::lock_guard lock(FRecordLock);
        return FFirstBytes;
    }

private:
    std::mutex FRecordLock;
    std::vector<int> FFirstBytes;
};

class Transition : public EngineTest {
protected:
    TRecordingDisplay FDisplay;
    std::unique_ptr<T_QsvImgFree> FEngine;
    TWindowId FWindow = 0;

    // An engine on a 4 x 3 window fading from black to grey 200, FadeDelay ms a step.
    void SetUp() override
    {
        FEngine = std::make_unique<T_QsvImgFree>();
        FEngine->SetDisplay(&FDisplay);
        FEngine->Mode = TSaverMode::smPreview;
        FEngine->FadeDelay = 1;
        FWindow = FDisplay.CreateForeignWindow(TWindowRect{0, 0, 4, 3});
        FEngine->AttachWindow(FWindow);
        FEngine->ViewType = 2;
        UsePoster(*FEngine, 1, PlainPoster(1, 1, 0x000000));
        UsePoster(*FEngine, 2, PlainPoster(1, 1, 0xC8C8C8));
        FEngine->PrepareFrames(1, 2);
    }

    void TearDown() override { FEngine.reset(); }

    // Waits (at most a generous while) until the fade in hand is over.
    bool WaitUntilIdle()
    {
        for (int i = 0; i < 2000 && FEngine->Fading; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        FEngine->WaitForTransition();
        return !FEngine->Fading;
    }
};

TEST_F(Transition, TwentyStepsOfFivePercentEndingOnTheNextFrame)
{
    FEngine->StartTransition();
    EXPECT_TRUE(FEngine->Fading);  // raised before StartTransition returns
    ASSERT_TRUE(WaitUntilIdle());
    std::vector<int> expected;
    for (int percent = 5; percent <= 100; percent += 5)
        expected.push_back((MulDiv(256, percent, 100) * 200) >> 8);
    EXPECT_EQ(FDisplay.FirstBytes(), expected);
    EXPECT_EQ(FDisplay.PresentCount(FWindow), 20);
    EXPECT_EQ(FDisplay.WindowPixel(FWindow, 3, 2), 0xC8C8C8u);
    EXPECT_EQ(FEngine->WorkFrame->GetPixel(0, 0), FEngine->NextFrame->GetPixel(0, 0));
    EXPECT_EQ(FEngine->FadePercent, 5);
    ASSERT_NE(FEngine->FadeWorker, nullptr);
    EXPECT_TRUE(FEngine->FadeWorker->Finished());
    EXPECT_FALSE(FEngine->FadeWorker->Running);
    // The frames the fade read are untouched.
    EXPECT_EQ(FEngine->CurrentFrame->GetPixel(0, 0), 0u);
}

TEST_F(Transition, NextFadeStartsAgainFromFivePercent)
{
    FEngine->StartTransition();
    ASSERT_TRUE(WaitUntilIdle());
    FEngine->FadeStep = 25;  // 25, 50, 75, 100
    FEngine->FadePercent = 25;
    FEngine->StartTransition();
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(FDisplay.PresentCount(FWindow), 24);
    EXPECT_EQ(FEngine->FadePercent, 25);
    const std::vector<int> bytes = FDisplay.FirstBytes();
    EXPECT_EQ(bytes[20], (64 * 200) >> 8);
    EXPECT_EQ(bytes[23], 200);
}

TEST_F(Transition, StepThatDoesNotDivideAHundredEndsAtAHundred)
{
    FEngine->FadeStep = 30;
    FEngine->FadePercent = 30;
    FEngine->StartTransition();
    ASSERT_TRUE(WaitUntilIdle());
    const std::vector<int> bytes = FDisplay.FirstBytes();
    ASSERT_EQ(bytes.size(), 4u);  // 30, 60, 90, 100
    EXPECT_EQ(bytes.back(), 200);
}

TEST_F(Transition, StopWhileIdleDoesNothing)
{
    FEngine->StopTransition();
    EXPECT_EQ(FEngine->FadeWorker, nullptr);
    EXPECT_FALSE(FEngine->Fading);
    FEngine->StartTransition();
    ASSERT_TRUE(WaitUntilIdle());
    FEngine->StopTransition();  // over already
    FEngine->StartTransition();  // and a new fade still runs whole
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(FDisplay.PresentCount(FWindow), 40);
}

TEST_F(Transition, StopEndsTheWorkerAfterTheStepInHand)
{
    FEngine->FadeDelay = 40;
    FEngine->StartTransition();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    FEngine->StopTransition();
    FEngine->WaitForTransition();
    const int presents = FDisplay.PresentCount(FWindow);
    EXPECT_GE(presents, 1);
    EXPECT_LT(presents, 20);
    // A stopped fade stays marked as running and keeps its percentage.
    EXPECT_TRUE(FEngine->Fading);
    EXPECT_EQ(FEngine->FadePercent, 5 * (presents + 1));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(FDisplay.PresentCount(FWindow), presents);
}

TEST_F(Transition, OneWorkerAtATime)
{
    FEngine->FadeDelay = 20;
    FEngine->StartTransition();
    T_DoTransitionThread* first = FEngine->FadeWorker.get();
    FEngine->StartTransition();
    FEngine->StartTransition();
    EXPECT_EQ(FEngine->FadeWorker.get(), first);
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(FDisplay.PresentCount(FWindow), 20);
}

TEST_F(Transition, ReleasingTheEngineStopsAndJoinsItsWorker)
{
    FEngine->FadeDelay = 30;
    FEngine->StartTransition();
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    FEngine.reset();  // must wait for the worker, which reads the engine's frames
    const int presents = FDisplay.PresentCount(FWindow);
    EXPECT_LT(presents, 20);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(FDisplay.PresentCount(FWindow), presents);
}

TEST_F(Transition, WindowThatVanishesMidFadeIsQuietlySkipped)
{
    FEngine->FadeDelay = 10;
    FEngine->StartTransition();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    FDisplay.DestroyWindow(FWindow);
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(FEngine->FadePercent, 5);
    // Presenting onto the gone window from the main thread is skipped as well.
    FEngine->ShowCurrentFrame();
}

TEST_F(Transition, FadeOfEmptyFramesRunsThroughHarmlessly)
{
    FEngine->AttachWindow(0);
    FEngine->PrepareFrames(1, 2);
    FEngine->StartTransition();
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_TRUE(FEngine->WorkFrame->Empty());
    EXPECT_EQ(FDisplay.FirstBytes().size(), 0u);
}

TEST_F(Transition, AFadeStartedAsSoonAsTheLastOneDroppedFadingIsNeverSkipped)
{
    FEngine->FadeDelay = 0;
    FEngine->FadeStep = 50;
    for (int round = 0; round < 1000; ++round) {
        // A fade that ran leaves FadePercent at FadeStep before it drops Fading; a refused
        // one leaves it as it was. (Fading alone says nothing: so short a fade may end
        // before this thread looks.)
        FEngine->FadePercent = 0;
        FEngine->StartTransition();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (FEngine->Fading && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        ASSERT_FALSE(FEngine->Fading);
        ASSERT_EQ(FEngine->FadePercent, FEngine->FadeStep) << "round " << round << " was skipped";
    }
}

TEST_F(Transition, FinishedFadeWakesTheEventLoop)
{
    FEngine->StartTransition();
    TDisplayEvent event;
    bool woken = false;
    for (int i = 0; i < 100 && !woken; ++i)
        woken = FDisplay.WaitEvent(event, 100) && event.Kind == deWake;
    EXPECT_TRUE(woken);
    ASSERT_TRUE(WaitUntilIdle());
}

} // namespace

namespace {

// A display whose presents fail with an exception, as a broken connection might.
class TFailingDisplay : public TMemoryDisplay {
public:
    TFailingDisplay() : TMemoryDisplay(64, 64) {}
    bool PresentBits(TWindowId, int, int, const TPixelView&, const TWindowRect&) override
    {
        throw EDisplayError("present failed");
    }
};

} // namespace

TEST_F(EngineTest, AFailingStepStillEndsTheFadeSoPostersGoOnChanging)
{
    TFailingDisplay display;
    T_QsvImgFree engine;
    engine.SetDisplay(&display);
    engine.Mode = TSaverMode::smPreview;
    engine.FadeDelay = 1;
    engine.AttachWindow(display.CreateForeignWindow(TWindowRect{0, 0, 4, 3}));
    engine.ViewType = 2;
    UsePoster(engine, 1, PlainPoster(1, 1, 0x000000));
    UsePoster(engine, 2, PlainPoster(1, 1, 0xC8C8C8));
    engine.PrepareFrames(1, 2);
    engine.StartTransition();
    engine.WaitForTransition();
    EXPECT_FALSE(engine.Fading);
    EXPECT_EQ(engine.FadePercent, engine.FadeStep);
    // The failure is reported on the main thread, at the next start, once.
    try {
        engine.StartTransition();
        ADD_FAILURE() << "the worker's failure was not reported";
    } catch (const EDisplayError& error) {
        EXPECT_EQ(error.Message(), "present failed");
    }
    EXPECT_FALSE(engine.Fading);
    // The next start runs a fade again: its own failure comes back at the start after it.
    // (Fading itself may already have dropped again: this display fails at the first step.)
    engine.StartTransition();
    engine.WaitForTransition();
    EXPECT_THROW(engine.StartTransition(), EDisplayError);
}
