#include <memory>

#include "EngineFixture.h"
#include "FrameSupport.h"
#include "engine/MakerAddress.h"
#include "engine/QsvImgFree.h"
#include "gfx/JpegDecoder.h"
#include "platform/Exception.h"
#include "platform/Resources.h"
#include "platform/memory/MemoryDisplay.h"

namespace {

class Frames : public EngineTest {
protected:
    TMemoryDisplay FDisplay{1920, 1080};
    std::unique_ptr<T_QsvImgFree> FEngine;

    void SetUp() override
    {
        FEngine = std::make_unique<T_QsvImgFree>();
        FEngine->SetDisplay(&FDisplay);
        FEngine->Mode = TSaverMode::smPreview;  // no watermark unless a test asks for it
    }

    // Binds the engine to a new window of the given client size.
    TWindowId Attach(int width, int height)
    {
        const TWindowId window = FDisplay.CreateForeignWindow(TWindowRect{30, 40, 30 + width, 40 + height});
        FEngine->AttachWindow(window);
        return window;
    }

    // Every pixel of frame equals expected(x, y).
    static void ExpectFrame(const TBitmap& frame, const std::function<std::uint32_t(int, int)>& expected)
    {
        int wrong = 0;
        for (int y = 0; y < frame.Height(); ++y)
            for (int x = 0; x < frame.Width(); ++x)
                if (frame.GetPixel(x, y) != expected(x, y) && ++wrong <= 5)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << frame.GetPixel(x, y)
                                  << ", expected " << expected(x, y);
        EXPECT_EQ(wrong, 0);
    }
};

// A poster whose every pixel tells its place.
std::uint32_t Coordinates(int x, int y)
{
    return static_cast<std::uint32_t>(0x800000 | (x << 8) | y);
}

TEST(PosterRect, ProportionalWorkedExamples)
{
    struct TCase {
        int W, H, FrameW, FrameH;
        TRect Expected;
    };
    const TCase cases[] = {
        {1200, 798, 1024, 768, {0, 43, 1024, 725}},
        {1200, 798, 1920, 1080, {0, -93, 1920, 1174}},
        {3008, 2000, 1920, 1080, {147, 0, 1773, 1080}},
        {3008, 2000, 1024, 768, {0, 44, 1024, 724}},
        {1200, 800, 2560, 1600, {0, -51, 2560, 1651}},
    };
    for (const TCase& c : cases) {
        const auto rect = T_QsvImgFree::PosterRect(1, c.W, c.H, c.FrameW, c.FrameH);
        ASSERT_TRUE(rect.has_value());
        EXPECT_EQ(*rect, c.Expected) << c.W << "x" << c.H << " on " << c.FrameW << "x" << c.FrameH;
    }
}

TEST(PosterRect, OriginalSizeIsCentredAndCropped)
{
    EXPECT_EQ(T_QsvImgFree::PosterRect(0, 1200, 798, 1024, 768), (TRect{-88, -15, 1112, 783}));
    EXPECT_EQ(T_QsvImgFree::PosterRect(0, 3008, 2000, 1024, 768), (TRect{-992, -616, 2016, 1384}));
    EXPECT_EQ(T_QsvImgFree::PosterRect(0, 1200, 798, 1920, 1080), (TRect{360, 141, 1560, 939}));
    // Halving truncates toward zero, also below zero: (8 - 11) / 2 is -1.
    EXPECT_EQ(T_QsvImgFree::PosterRect(0, 11, 9, 8, 6), (TRect{-1, -1, 10, 8}));
}

TEST(PosterRect, FitCoversTheFrameAndOtherTypesPlaceNothing)
{
    EXPECT_EQ(T_QsvImgFree::PosterRect(2, 3008, 2000, 152, 112), (TRect{0, 0, 152, 112}));
    EXPECT_FALSE(T_QsvImgFree::PosterRect(3, 1200, 798, 1024, 768).has_value());
    EXPECT_FALSE(T_QsvImgFree::PosterRect(-1, 1200, 798, 1024, 768).has_value());
}

TEST_F(Frames, AttachWindowTakesTheClientSizeAndBlanksTheWorkFrame)
{
    FEngine->WorkFrame->SetSize(5, 5);
    FEngine->WorkFrame->Fill(0xFFFFFF);
    const TWindowId window = Attach(152, 112);
    EXPECT_EQ(FEngine->HostWnd, window);
    EXPECT_EQ(FEngine->FrameWidth, 152);
    EXPECT_EQ(FEngine->FrameHeight, 112);
    EXPECT_EQ(FEngine->FrameRect, (TRect{0, 0, 152, 112}));
    ASSERT_EQ(FEngine->WorkFrame->Width(), 152);
    ASSERT_EQ(FEngine->WorkFrame->Height(), 112);
    ExpectFrame(*FEngine->WorkFrame, [](int, int) { return 0u; });
}

// The three frames of a window far larger than any screen would take gigabytes: such a
// window is refused before anything is allocated, and the engine stays as it was.
TEST_F(Frames, AWindowBeyondTheFrameCeilingIsRefused)
{
    const TWindowId window = Attach(152, 112);
    const TWindowId wide = FDisplay.CreateForeignWindow(TWindowRect{0, 0, T_QsvImgFree::MaxFrameSide + 1, 2});
    try {
        FEngine->AttachWindow(wide);
        ADD_FAILURE() << "no error";
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message(), "The window is too large for the slideshow: 16385 x 2 pixels (at most 16384 "
                               "pixels a side and 1024 MB of frames)");
    }
    EXPECT_EQ(FEngine->HostWnd, window);
    EXPECT_EQ(FEngine->WorkFrame->Width(), 152);
    EXPECT_FALSE(T_QsvImgFree::FramesFit(12000, 12000));  // 1.6 GB of frames
    EXPECT_TRUE(T_QsvImgFree::FramesFit(7680, 4320));
}

TEST_F(Frames, WindowThatIsGoneGivesEmptyFrames)
{
    const TWindowId window = Attach(20, 10);
    FDisplay.DestroyWindow(window);
    FEngine->AttachWindow(window);
    EXPECT_EQ(FEngine->HostWnd, window);
    EXPECT_EQ(FEngine->FrameRect, (TRect{0, 0, 0, 0}));
    EXPECT_TRUE(FEngine->WorkFrame->Empty());
    // Composing, blending and presenting empty frames is harmless.
    FEngine->PrepareFrames(1, 2);
    EXPECT_TRUE(FEngine->CurrentFrame->Empty());
    EXPECT_TRUE(FEngine->NextFrame->Empty());
    T_QsvImgFree::BlendFrames(*FEngine->WorkFrame, *FEngine->NextFrame, 50);
    FEngine->ShowCurrentFrame();
    FEngine->ShowWorkFrame();
    FEngine->AttachWindow(0);
    EXPECT_EQ(FEngine->FrameWidth, 0);
}

TEST_F(Frames, OriginalSizeCentresOnBlackAndClearsThePreviousPoster)
{
    Attach(8, 6);
    FEngine->ViewType = 0;
    UsePoster(*FEngine, 1, PlainPoster(8, 6, 0x00FFFF));  // fills the frame
    UsePoster(*FEngine, 2, MakePoster(4, 2, Coordinates));
    FEngine->PrepareFrames(1, 1);
    ExpectFrame(*FEngine->CurrentFrame, [](int, int) { return 0x00FFFFu; });
    FEngine->PrepareFrames(2, 1);
    ExpectFrame(*FEngine->CurrentFrame, [](int x, int y) {
        return x >= 2 && x < 6 && y >= 2 && y < 4 ? Coordinates(x - 2, y - 2) : 0u;
    });
    ExpectFrame(*FEngine->NextFrame, [](int, int) { return 0x00FFFFu; });
}

TEST_F(Frames, OriginalSizeCropsALargerPosterOnBothSides)
{
    Attach(8, 6);
    FEngine->ViewType = 0;
    UsePoster(*FEngine, 1, MakePoster(11, 9, Coordinates));
    UsePoster(*FEngine, 2, MakePoster(12, 10, Coordinates));
    FEngine->PrepareFrames(1, 2);
    ExpectFrame(*FEngine->CurrentFrame, [](int x, int y) { return Coordinates(x + 1, y + 1); });
    ExpectFrame(*FEngine->NextFrame, [](int x, int y) { return Coordinates(x + 2, y + 2); });
}

TEST_F(Frames, ProportionalGrowsASmallPosterUntilItCoversAndCropsTheRest)
{
    // 4 x 2 on 8 x 8: pw 50, ph 25; it grows by the smaller share to 16 x 8 at (-4, 0).
    Attach(8, 8);
    FEngine->ViewType = 1;
    UsePoster(*FEngine, 1, MakePoster(4, 2, Coordinates));
    UsePoster(*FEngine, 2, MakePoster(2, 4, Coordinates));
    FEngine->PrepareFrames(1, 2);
    ExpectFrame(*FEngine->CurrentFrame, [](int x, int y) { return Coordinates((x + 4) / 4, y / 4); });
    ExpectFrame(*FEngine->NextFrame, [](int x, int y) { return Coordinates(x / 4, (y + 4) / 4); });
}

TEST_F(Frames, ProportionalShrinksALargePosterInsideBlackBars)
{
    // 16 x 8 on 8 x 8: pw 200, ph 100; it shrinks to 8 x 4 at (0, 2). Blocks of 2 x 2 pixels
    // make every nearest-neighbour choice land on the same colour.
    Attach(8, 8);
    FEngine->ViewType = 1;
    UsePoster(*FEngine, 1, MakePoster(16, 8, [](int x, int y) { return Coordinates(x / 2, y / 2); }));
    UsePoster(*FEngine, 2, PlainPoster(4, 4, 0x123456));  // the same shape: fills the frame
    FEngine->PrepareFrames(2, 1);
    ExpectFrame(*FEngine->CurrentFrame, [](int, int) { return 0x123456u; });
    ExpectFrame(*FEngine->NextFrame, [](int x, int y) { return y >= 2 && y < 6 ? Coordinates(x, y - 2) : 0u; });
}

TEST_F(Frames, FitStretchesOverTheWholeFrame)
{
    Attach(8, 6);
    FEngine->ViewType = 2;
    UsePoster(*FEngine, 1, MakePoster(2, 3, Coordinates));
    UsePoster(*FEngine, 2, MakePoster(16, 12, [](int x, int y) { return Coordinates(x / 2, y / 2); }));
    FEngine->PrepareFrames(1, 2);
    ExpectFrame(*FEngine->CurrentFrame, [](int x, int y) { return Coordinates(x / 4, y / 2); });
    ExpectFrame(*FEngine->NextFrame, [](int x, int y) { return Coordinates(x, y); });
}

TEST_F(Frames, UnknownViewTypeKeepsTheFramesButStillMakesThem32Bits)
{
    Attach(4, 4);
    FEngine->ViewType = 2;
    UsePoster(*FEngine, 1, PlainPoster(2, 2, 0x0000FF));
    UsePoster(*FEngine, 2, PlainPoster(2, 2, 0x00FF00));
    FEngine->PrepareFrames(1, 2);
    FEngine->ViewType = 7;
    FEngine->PrepareFrames(2, 1);
    ExpectFrame(*FEngine->CurrentFrame, [](int, int) { return 0x0000FFu; });
    ExpectFrame(*FEngine->NextFrame, [](int, int) { return 0x00FF00u; });
    EXPECT_EQ(FEngine->CurrentFrame->PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(FEngine->NextFrame->PixelFormat(), TPixelFormat::pf32bit);
    // From empty frames: still sized and 32 bits a pixel.
    T_QsvImgFree fresh;
    fresh.SetDisplay(&FDisplay);
    fresh.AttachWindow(FEngine->HostWnd);
    fresh.ViewType = 3;
    UsePoster(fresh, 1, PlainPoster(2, 2, 0x0000FF));
    fresh.PrepareFrames(1, 1);
    EXPECT_EQ(fresh.CurrentFrame->Width(), 4);
    EXPECT_EQ(fresh.CurrentFrame->PixelFormat(), TPixelFormat::pf32bit);
}

TEST_F(Frames, IndexOutsideTheCatalogueStandsForPosterOne)
{
    Attach(2, 2);
    for (int i = 1; i <= T_QsvImgFree::ImageCount; ++i)
        UsePoster(*FEngine, i, PlainPoster(1, 1, PosterColour(i)));
    FEngine->PrepareFrames(0, 12);
    EXPECT_EQ(FEngine->CurrentFrame->GetPixel(1, 1), PosterColour(1));
    EXPECT_EQ(FEngine->NextFrame->GetPixel(0, 0), PosterColour(1));
    FEngine->PrepareFrames(-5, 11);
    EXPECT_EQ(FEngine->CurrentFrame->GetPixel(0, 0), PosterColour(1));
    EXPECT_EQ(FEngine->NextFrame->GetPixel(0, 0), PosterColour(11));
}

TEST_F(Frames, AdvanceWalksTheCatalogueAndWraps)
{
    Attach(2, 2);
    for (int i = 1; i <= T_QsvImgFree::ImageCount; ++i)
        UsePoster(*FEngine, i, PlainPoster(1, 1, PosterColour(i)));
    // The first advance composes (1, 2) again: poster 1 is on screen before it.
    int expected = 1;
    for (int step = 0; step < 25; ++step) {
        FEngine->AdvanceImage();
        const int next = expected == 11 ? 1 : expected + 1;
        ASSERT_EQ(FEngine->CurrentIndex, expected);
        ASSERT_EQ(FEngine->CurrentFrame->GetPixel(0, 0), PosterColour(expected)) << step;
        ASSERT_EQ(FEngine->NextFrame->GetPixel(1, 1), PosterColour(next)) << step;
        expected = next;
    }
    FEngine->CurrentIndex = 10;
    FEngine->AdvanceImage();
    EXPECT_EQ(FEngine->CurrentIndex, 11);
    EXPECT_EQ(FEngine->NextFrame->GetPixel(0, 0), PosterColour(1));
    FEngine->AdvanceImage();
    EXPECT_EQ(FEngine->CurrentIndex, 1);
    EXPECT_EQ(FEngine->NextFrame->GetPixel(0, 0), PosterColour(2));
    // An index beyond the catalogue starts again at 1.
    FEngine->CurrentIndex = 40;
    FEngine->AdvanceImage();
    EXPECT_EQ(FEngine->CurrentIndex, 1);
}

TEST_F(Frames, RealPosterAtOriginalSizeLandsAt360By141)
{
    Attach(1920, 1080);
    FEngine->ViewType = 0;
    FEngine->PrepareFrames(1, 5);
    const TBitmap poster = DecodeJpeg(LoadResource("RCDATA", "img01"));
    ASSERT_EQ(poster.Width(), 1200);
    ASSERT_EQ(poster.Height(), 798);
    ExpectFrame(*FEngine->CurrentFrame, [&poster](int x, int y) {
        return x >= 360 && x < 1560 && y >= 141 && y < 939 ? poster.GetPixel(x - 360, y - 141) : 0u;
    });
    // The 3008 x 2000 poster covers the whole frame, from its (544, 460).
    const TBitmap large = DecodeJpeg(LoadResource("RCDATA", "img05"));
    ASSERT_EQ(large.Width(), 3008);
    EXPECT_EQ(FEngine->NextFrame->GetPixel(0, 0), large.GetPixel(544, 460));
    EXPECT_EQ(FEngine->NextFrame->GetPixel(1919, 1079), large.GetPixel(2463, 1539));
    // Decoded posters are kept for the next change.
    EXPECT_EQ(FEngine->Posters().Count(), 2u);
    EXPECT_LE(FEngine->Posters().BytesHeld(), FEngine->Posters().Ceiling());
}

TEST_F(Frames, RealPostersProportionalLandInTheirRectangles)
{
    // 1200 x 798 on 1024 x 768: (0, 43, 1024, 725); 3008 x 2000 on 1920 x 1080: (147, 0, 1773, 1080).
    struct TCase {
        int FrameW, FrameH, Poster;
        TRect Rect;
    };
    for (const TCase& c : {TCase{1024, 768, 1, {0, 43, 1024, 725}}, TCase{1920, 1080, 5, {147, 0, 1773, 1080}}}) {
        Attach(c.FrameW, c.FrameH);
        FEngine->ViewType = 1;
        FEngine->PrepareFrames(c.Poster, c.Poster);
        const TBitmap poster = DecodeJpeg(LoadResource("RCDATA", FEngine->ImageNames[c.Poster]));
        const TBitmap& frame = *FEngine->CurrentFrame;
        int outsideNotBlack = 0;
        for (int y = 0; y < c.FrameH; ++y)
            for (int x = 0; x < c.FrameW; ++x)
                if ((x < c.Rect.Left || x >= c.Rect.Right || y < c.Rect.Top || y >= c.Rect.Bottom) &&
                    frame.GetPixel(x, y) != 0)
                    ++outsideNotBlack;
        EXPECT_EQ(outsideNotBlack, 0) << c.Poster;
        // The corners of the rectangle hold the corners of the poster.
        EXPECT_EQ(frame.GetPixel(c.Rect.Left, c.Rect.Top), poster.GetPixel(0, 0));
        EXPECT_EQ(frame.GetPixel(c.Rect.Right - 1, c.Rect.Bottom - 1),
                  poster.GetPixel(poster.Width() - 1, poster.Height() - 1));
        EXPECT_EQ(frame.GetPixel(c.Rect.Right - 1, c.Rect.Top), poster.GetPixel(poster.Width() - 1, 0));
        EXPECT_EQ(frame.GetPixel(c.Rect.Left, c.Rect.Bottom - 1), poster.GetPixel(0, poster.Height() - 1));
    }
}

TEST_F(Frames, MissingPosterRaisesTheResourceError)
{
    Attach(4, 4);
    FEngine->ImageNames[2] = "img99";
    try {
        FEngine->PrepareFrames(1, 2);
        ADD_FAILURE() << "no exception";
    } catch (const EResNotFound& error) {
        EXPECT_EQ(error.Message(), "Resource img99 not found");
    }
    // The engine still works afterwards.
    FEngine->ImageNames[2] = "img02";
    UsePoster(*FEngine, 1, PlainPoster(1, 1, 0x00FF00));
    UsePoster(*FEngine, 2, PlainPoster(1, 1, 0xFF0000));
    FEngine->ViewType = 2;
    FEngine->PrepareFrames(1, 2);
    EXPECT_EQ(FEngine->NextFrame->GetPixel(3, 3), 0xFF0000u);
}

TEST_F(Frames, PosterThatIsNoJpegRaisesTheImageError)
{
    Attach(4, 4);
    FEngine->ImageNames[1] = "flag_en";  // a bitmap file, not a JPEG
    EXPECT_THROW(FEngine->PrepareFrames(1, 2), EInvalidGraphic);
    FEngine->ImageNames[1] = "img01";
    FEngine->ImageNames[2] = "flag_en";
    EXPECT_THROW(FEngine->AdvanceImage(), EInvalidGraphic);
    EXPECT_EQ(FEngine->CurrentIndex, 0);  // a failed change is no change
}

TEST_F(Frames, WatermarkOnlyInTheSaver)
{
    Attach(300, 60);
    FEngine->ViewType = 2;
    UsePoster(*FEngine, 1, PlainPoster(1, 1, 0x400000));
    UsePoster(*FEngine, 2, PlainPoster(1, 1, 0x000040));
    FEngine->Mode = TSaverMode::smPreview;
    FEngine->PrepareFrames(1, 2);
    ExpectFrame(*FEngine->CurrentFrame, [](int, int) { return 0x400000u; });
    FEngine->Mode = TSaverMode::smConfigure;
    FEngine->PrepareFrames(1, 2);
    ExpectFrame(*FEngine->NextFrame, [](int, int) { return 0x000040u; });

    FEngine->Mode = TSaverMode::smSaver;
    FEngine->PrepareFrames(1, 2);
    for (const TBitmap* frame : {FEngine->CurrentFrame.get(), FEngine->NextFrame.get()}) {
        bool yellow = false;
        bool grey = false;
        int changedOutside = 0;
        const std::uint32_t background = frame == FEngine->CurrentFrame.get() ? 0x400000u : 0x000040u;
        for (int y = 0; y < frame->Height(); ++y)
            for (int x = 0; x < frame->Width(); ++x) {
                const std::uint32_t pixel = frame->GetPixel(x, y);
                yellow = yellow || pixel == 0x00FFFF;
                grey = grey || pixel == 0x808080;
                // 18 points of text from (5, 5) stay well inside the top 50 rows.
                if (y >= 50 && pixel != background)
                    ++changedOutside;
            }
        EXPECT_TRUE(yellow);
        EXPECT_TRUE(grey);
        EXPECT_EQ(changedOutside, 0);
    }
}

TEST_F(Frames, WatermarkIsTheMakersHostName)
{
    EXPECT_EQ(MakerAddress.find("://"), std::string_view::npos);
    EXPECT_EQ(MakerAddress.find('/'), std::string_view::npos);
    EXPECT_NE(MakerAddress.find('.'), std::string_view::npos);
    TBitmap empty;
    FEngine->DrawWatermark(empty);  // nothing to draw on, nothing happens
    EXPECT_TRUE(empty.Empty());
}

TEST_F(Frames, ShowCopiesTheWholeFrameOntoTheWindow)
{
    const TWindowId window = Attach(6, 4);
    FEngine->ViewType = 2;
    UsePoster(*FEngine, 1, MakePoster(6, 4, Coordinates));
    UsePoster(*FEngine, 2, PlainPoster(1, 1, 0x00FF00));
    FEngine->PrepareFrames(1, 2);
    FEngine->ShowCurrentFrame();
    EXPECT_EQ(FDisplay.PresentCount(window), 1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(FDisplay.WindowPixel(window, x, y), Coordinates(x, y)) << x << "," << y;
    FEngine->WorkFrame->Assign(*FEngine->NextFrame);
    FEngine->ShowWorkFrame();
    EXPECT_EQ(FDisplay.PresentCount(window), 2);
    EXPECT_EQ(FDisplay.WindowPixel(window, 5, 3), 0x00FF00u);
    EXPECT_EQ(FDisplay.WindowPixel(window, 0, 0), 0x00FF00u);
}

TEST_F(Frames, ShowWithoutWindowOrDisplayDoesNothing)
{
    const TWindowId window = Attach(6, 4);
    UsePoster(*FEngine, 1, PlainPoster(1, 1, 0x00FF00));
    UsePoster(*FEngine, 2, PlainPoster(1, 1, 0x00FF00));
    FEngine->PrepareFrames(1, 2);
    FDisplay.DestroyWindow(window);
    FEngine->ShowCurrentFrame();
    FEngine->ShowWorkFrame();
    FEngine->HostWnd = 0;
    FEngine->ShowCurrentFrame();
    FEngine->SetDisplay(nullptr);
    FEngine->HostWnd = window;
    FEngine->ShowCurrentFrame();
    EXPECT_EQ(FDisplay.PresentCount(window), 0);
}

} // namespace

namespace {

// Every pixel of both frames of a and b are the same.
bool SameFrames(const T_QsvImgFree& a, const T_QsvImgFree& b)
{
    auto same = [](const TBitmap& x, const TBitmap& y) {
        return x.Width() == y.Width() && x.Height() == y.Height() && x.PixelFormat() == y.PixelFormat() &&
               std::equal(x.Bits(), x.Bits() + x.ByteCount(), y.Bits(), y.Bits() + y.ByteCount());
    };
    return same(*a.CurrentFrame, *b.CurrentFrame) && same(*a.NextFrame, *b.NextFrame);
}

TEST_F(Frames, AdvanceGivesTheFramesAFreshCompositionWouldGive)
{
    // The frame composed as the next one is taken over as the current one; it must be
    // exactly what composing it again would give, also across changes of view type,
    // mode and poster names.
    const TWindowId window = Attach(64, 48);
    FEngine->Mode = TSaverMode::smSaver;
    FEngine->ViewType = 1;
    for (int step = 0; step < 14; ++step) {
        if (step == 5)
            FEngine->ViewType = 0;
        if (step == 8)
            FEngine->Mode = TSaverMode::smPreview;
        if (step == 10)
            FEngine->ImageNames[FEngine->CurrentIndex % 11 + 1] = "img05";
        FEngine->AdvanceImage();
        T_QsvImgFree fresh;  // composes from nothing
        fresh.SetDisplay(&FDisplay);
        fresh.AttachWindow(window);
        fresh.Mode = FEngine->Mode;
        fresh.ViewType = FEngine->ViewType;
        for (int i = 1; i <= T_QsvImgFree::ImageCount; ++i)
            fresh.ImageNames[i] = FEngine->ImageNames[i];
        fresh.PrepareFrames(FEngine->CurrentIndex, FEngine->CurrentIndex % 11 + 1);
        ASSERT_TRUE(SameFrames(*FEngine, fresh)) << "step " << step;
    }
}

TEST_F(Frames, UnknownViewTypeKeepsEachFrameItsOwnPixels)
{
    Attach(4, 4);
    FEngine->ViewType = 2;
    for (int i = 1; i <= T_QsvImgFree::ImageCount; ++i)
        UsePoster(*FEngine, i, PlainPoster(1, 1, PosterColour(i)));
    FEngine->AdvanceImage();  // (1, 2)
    FEngine->ViewType = 5;
    FEngine->AdvanceImage();  // (2, 3) places nothing: the frames stay (1, 2)
    EXPECT_EQ(FEngine->CurrentFrame->GetPixel(0, 0), PosterColour(1));
    EXPECT_EQ(FEngine->NextFrame->GetPixel(0, 0), PosterColour(2));
}

} // namespace
