// The preview as the screen-saver host runs it: a host window of 152 x 112 on a private
// Xvfb, `veltrane /p <id>` drawing into it, the screen read back.

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/QsvImgFree.h"
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/JpegDecoder.h"
#include "gfx/RasterOp.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/x11/X11Display.h"
#include "support/ProgramProcess.h"
#include "support/FileText.h"
#include "support/HostWindow.h"
#include "support/PrivateEnvironment.h"
#include "support/ScopedEnvironment.h"
#include "support/ScreenReader.h"
#include "support/TempFolder.h"
#include "support/WaitUntil.h"
#include "support/XvfbServer.h"

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

constexpr int HostLeft = 10;
constexpr int HostTop = 10;
constexpr int HostWidth = 152;
constexpr int HostHeight = 112;

// Poster index fitted to the host window, as the preview composes it: 32 bits a pixel.
TBitmap FittedPoster(int index)
{
    char name[8];
    std::snprintf(name, sizeof name, "img%02d", index);
    const TBitmap poster = DecodeJpeg(LoadResource("RCDATA", name));
    TBitmap frame(HostWidth, HostHeight, TPixelFormat::pf32bit);
    frame.Canvas().StretchBlt(0, 0, HostWidth, HostHeight, poster, 0, 0, poster.Width(), poster.Height(), SRCCOPY);
    return frame;
}

// The colours of a frame, 0x00BBGGRR, row by row from the top.
std::vector<std::uint32_t> Colours(const TBitmap& frame)
{
    std::vector<std::uint32_t> colours;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x)
            colours.push_back(frame.GetPixel(x, y));
    return colours;
}

class PreviewE2E : public testing::Test {
protected:
    TXvfbServer FServer;
    TScopedEnvironment FDisplayEnv{"DISPLAY", FServer.Name()};
    TPrivateEnvironment FEnvironment;
    TTempFolder FCapture{"veltrane-capture"};
    std::unique_ptr<TDisplay> FScreen = OpenX11Display(FServer.Name().c_str());

    void StoreImageTime(std::int32_t seconds)
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Software\\Tessivo\\QM_Veltrane", true));
        registry.WriteInteger("Image time view", seconds);
        registry.WriteInteger("View Type", 0);  // the preview fits the poster all the same
    }

    std::string Errors() const { return ReadFileText(FCapture.File("stderr")); }

    std::unique_ptr<TProgramProcess> Run(const std::vector<std::string>& switches)
    {
        return std::make_unique<TProgramProcess>(VELTRANE_EXECUTABLE, switches, FCapture.File("stderr"));
    }

    // What the host window shows now.
    std::vector<std::uint32_t> Shown() { return HostArea().Shown(); }

    // Waits until the window shows expected; false after the time.
    bool WaitUntilShown(const std::vector<std::uint32_t>& expected, std::chrono::milliseconds within)
    {
        return HostArea().WaitUntilShown(expected, within);
    }

private:
    TScreenReader HostArea()
    {
        return TScreenReader(*FScreen, TWindowRect{HostLeft, HostTop, HostLeft + HostWidth, HostTop + HostHeight});
    }
};

// The frames of the fade from a to b at 5 % to 95 %.
std::vector<std::vector<std::uint32_t>> FadeFrames(const TBitmap& a, const TBitmap& b)
{
    std::vector<std::vector<std::uint32_t>> frames;
    for (int percent = 5; percent < 100; percent += 5) {
        TBitmap work(a);
        T_QsvImgFree::BlendFrames(work, b, percent);
        frames.push_back(Colours(work));
    }
    return frames;
}

TEST_F(PreviewE2E, PosterOneThenACrossFadeToPosterTwoUntilTheWindowIsHidden)
{
    ASSERT_NE(FScreen, nullptr);
    StoreImageTime(2);
    THostWindow host(FServer.Name(), HostWidth, HostHeight, HostLeft, HostTop);
    const TBitmap first = FittedPoster(1);
    const TBitmap second = FittedPoster(2);
    const auto poster1 = Colours(first);
    const auto poster2 = Colours(second);
    const auto fade = FadeFrames(first, second);

    char id[16];
    std::snprintf(id, sizeof id, "0x%x", host.Id());
    auto process = Run({"/p", id});
    ASSERT_TRUE(WaitUntilShown(poster1, 10s)) << Errors();
    const auto shownAt = TClock::now();

    // Sample the window until poster 2 stands: what is seen is poster 1, a step of the
    // fade, or poster 2, never anything else.
    int fadeSteps = 0;
    int strangers = 0;
    std::optional<TClock::time_point> fadeAt;
    const bool arrived = WaitUntil([&] {
        const auto shown = Shown();
        if (shown == poster2)
            return true;
        if (std::find(fade.begin(), fade.end(), shown) != fade.end()) {
            ++fadeSteps;
            if (!fadeAt)
                fadeAt = TClock::now();
        } else if (shown != poster1) {
            ++strangers;
        }
        return false;
    }, 15s, 5ms);
    ASSERT_TRUE(arrived);
    EXPECT_GE(fadeSteps, 1);
    EXPECT_EQ(strangers, 0);
    ASSERT_TRUE(fadeAt.has_value());
    EXPECT_GE(*fadeAt - shownAt, 1500ms);  // poster 1 stayed for about the two seconds
    EXPECT_TRUE(process->Running());

    host.Unmap();
    EXPECT_EQ(process->WaitExit(5s), std::optional<int>(0));
    EXPECT_EQ(Errors(), "");
}

TEST_F(PreviewE2E, WindowDestroyedMidFadeEndsTheProcessCleanly)
{
    ASSERT_NE(FScreen, nullptr);
    StoreImageTime(1);
    THostWindow host(FServer.Name(), HostWidth, HostHeight, HostLeft, HostTop);
    const auto poster1 = Colours(FittedPoster(1));
    auto process = Run({"/p", std::to_string(host.Id())});
    ASSERT_TRUE(WaitUntilShown(poster1, 10s)) << Errors();
    // Wait for the fade to begin, then take the window away under it.
    ASSERT_TRUE(WaitUntil([&] { return Shown() != poster1; }, 10s, 5ms)) << Errors();
    host.Destroy();
    EXPECT_EQ(process->WaitExit(5s), std::optional<int>(0));
    EXPECT_EQ(Errors(), "");
}

TEST_F(PreviewE2E, HiddenHostWindowIsWaitedFor)
{
    ASSERT_NE(FScreen, nullptr);
    StoreImageTime(30);
    THostWindow host(FServer.Name(), HostWidth, HostHeight, HostLeft, HostTop, false);
    auto process = Run({"/l", std::to_string(host.Id())});
    EXPECT_EQ(process->WaitExit(500ms), std::nullopt) << "a hidden window does not end the preview";
    host.Map();
    EXPECT_TRUE(WaitUntilShown(Colours(FittedPoster(1)), 10s)) << Errors();
    host.Unmap();
    // Within one pass, not after the thirty seconds.
    EXPECT_EQ(process->WaitExit(5s), std::optional<int>(0));
    EXPECT_EQ(Errors(), "");
}

// A host window far larger than any screen (up to the protocol's largest) would need
// gigabytes of frames: the preview refuses it at once with exit code 1 and says why on
// standard error only, since no one can answer a box under a host.
TEST_F(PreviewE2E, AnOversizedHostWindowIsRefusedOnStandardError)
{
    for (const auto& [width, height] : {std::pair{16385, 16}, std::pair{32767, 32767}}) {
        const std::string size = std::to_string(width) + " x " + std::to_string(height);
        THostWindow host(FServer.Name(), width, height, 0, 0);
        auto process = Run({"/p", std::to_string(host.Id())});
        EXPECT_EQ(process->WaitExit(10s), std::optional<int>(1)) << size;
        EXPECT_NE(Errors().find("The window is too large for the slideshow: " + size + " pixels"), std::string::npos)
            << Errors();
    }
}

TEST_F(PreviewE2E, BogusWindowNumberEnds)
{
    for (const std::vector<std::string>& switches : {std::vector<std::string>{"/p", "0x7ffffff0"},
                                                     {"/p", "123456789"},
                                                     {"/p", "not-a-window"},
                                                     {"/p"}}) {
        auto process = Run(switches);
        EXPECT_EQ(process->WaitExit(5s), std::optional<int>(0)) << switches.back();
        EXPECT_EQ(Errors(), "") << switches.back();
    }
}

} // namespace
