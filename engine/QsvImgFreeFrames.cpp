// The engine's frames: binding to a window, composing posters, the watermark, presenting.

#include <algorithm>
#include <string>
#include <utility>

#include "engine/MakerAddress.h"
#include "engine/QsvImgFree.h"
#include "gfx/Canvas.h"
#include "gfx/JpegDecoder.h"
#include "gfx/MulDiv.h"
#include "gfx/RasterOp.h"
#include "platform/Display.h"
#include "platform/Exception.h"
#include "platform/Resources.h"

namespace {

// Colours of the two watermark passes (0x00BBGGRR) and their text.
constexpr std::uint32_t WatermarkShadow = 0x808080;
constexpr std::uint32_t WatermarkColor = 0x00FFFF;
constexpr int WatermarkPoints = 18;
// Below this many bits a pixel the display has a palette: posters are quantized.
constexpr int PaletteBitsPerPixel = 8;
constexpr int PaletteColors = 236;

} // namespace

bool T_QsvImgFree::FramesFit(int width, int height)
{
    constexpr std::uint64_t Frames = 3;  // the current, the next and the work frame
    constexpr std::uint64_t BytesPerPixel = 4;
    return width <= MaxFrameSide && height <= MaxFrameSide &&
           Frames * BytesPerPixel * static_cast<std::uint64_t>(std::max(width, 0)) *
                   static_cast<std::uint64_t>(std::max(height, 0)) <= MaxFrameBytes;
}

void T_QsvImgFree::AttachWindow(std::uint32_t window)
{
    std::optional<TWindowRect> rect;
    if (FDisplay && window)
        rect = FDisplay->GetWindowRect(window);
    const int width = rect ? std::max(rect->Width(), 0) : 0;
    const int height = rect ? std::max(rect->Height(), 0) : 0;
    // Refused before anything is allocated: such frames would only end in running out of memory.
    if (!FramesFit(width, height))
        throw EOutOfResources("The window is too large for the slideshow: " + std::to_string(width) + " x " +
                              std::to_string(height) + " pixels (at most " + std::to_string(MaxFrameSide) +
                              " pixels a side and " + std::to_string(MaxFrameBytes >> 20) + " MB of frames)");
    HostWnd = window;
    FrameWidth = width;
    FrameHeight = height;
    FrameRect = TRect{0, 0, FrameWidth, FrameHeight};
    WorkFrame->SetSize(FrameWidth, FrameHeight);
    WorkFrame->Fill(0x000000);
    FWorkShown = false;
}

std::optional<TRect> T_QsvImgFree::PosterRect(int viewType, int width, int height, int frameWidth, int frameHeight)
{
    switch (viewType) {
    case 0: {
        const int left = (frameWidth - width) / 2;
        const int top = (frameHeight - height) / 2;
        return TRect{left, top, left + width, top + height};
    }
    case 1: {
        const int pw = MulDiv(width, 100, frameWidth);
        const int ph = MulDiv(height, 100, frameHeight);
        int newW = 0;
        int newH = 0;
        // Larger than the frame: shrink until it fits; otherwise grow until it covers.
        const bool scaleByHeight = (pw > 100 || ph > 100) ? (pw - 100 < ph - 100) : (100 - pw < 100 - ph);
        if (scaleByHeight) {
            newW = MulDiv(width, 100, ph);
            newH = frameHeight;
        } else {
            newW = frameWidth;
            newH = MulDiv(height, 100, pw);
        }
        const int left = (frameWidth - newW) / 2;
        const int top = (frameHeight - newH) / 2;
        return TRect{left, top, left + newW, top + newH};
    }
    case 2:
        return TRect{0, 0, frameWidth, frameHeight};
    default:
        return std::nullopt;
    }
}

void T_QsvImgFree::PlacePoster(TBitmap& frame, const TBitmap& poster) const
{
    const std::optional<TRect> rect = PosterRect(ViewType, poster.Width(), poster.Height(), FrameWidth, FrameHeight);
    if (!rect || frame.Empty())
        return;
    TCanvas& canvas = frame.Canvas();
    if (ViewType == 0) {
        frame.Fill(0x000000);
        canvas.BitBlt(rect->Left, rect->Top, poster.Width(), poster.Height(), poster, 0, 0, SRCCOPY);
    } else {
        if (ViewType == 1)
            frame.Fill(0x000000);
        canvas.StretchBlt(rect->Left, rect->Top, rect->Width(), rect->Height(), poster, 0, 0, poster.Width(),
                          poster.Height(), SRCCOPY);
    }
}

bool T_QsvImgFree::PaletteDisplay() const
{
    return FDisplay && FDisplay->ScreenBitsPerPixel() <= PaletteBitsPerPixel;
}

std::shared_ptr<const TBitmap> T_QsvImgFree::LoadPoster(int index)
{
    const bool palette = PaletteDisplay();
    const std::string& name = ImageNames[index];
    const std::string key = name + (palette ? "/palette" : "");
    if (auto kept = FPosters.Find(key))
        return kept;
    const TResourceBytes bytes = LoadResource("RCDATA", name);
    TJpegDecoder decoder;
    if (palette)
        decoder.SetQuantizeColors(PaletteColors);
    auto poster = std::make_shared<const TBitmap>(decoder.Decode(bytes));
    FPosters.Add(key, poster);
    return poster;
}

void T_QsvImgFree::PrepareFrames(int current, int next)
{
    const std::optional<TComposition> previousNext = FNextComposition;
    FNextComposition.reset();
    CurrentFrame->SetSize(FrameWidth, FrameHeight);
    NextFrame->SetSize(FrameWidth, FrameHeight);
    if (current < 1 || current > ImageCount)
        current = 1;
    if (next < 1 || next > ImageCount)
        next = 1;
    const bool placed = ViewType >= 0 && ViewType <= 2;  // these overwrite the whole frame
    const bool palette = PaletteDisplay();
    const TComposition wantCurrent{ImageNames[current], ViewType, Mode, FrameWidth, FrameHeight, palette};
    const bool reuse = placed && previousNext && *previousNext == wantCurrent &&
                       NextFrame->PixelFormat() == TPixelFormat::pf32bit;

    // The current poster first, as a failure should name the first poster that fails.
    const std::shared_ptr<const TBitmap> currentPoster = reuse ? nullptr : LoadPoster(current);
    const std::shared_ptr<const TBitmap> nextPoster = LoadPoster(next);
    if (reuse)
        std::swap(CurrentFrame, NextFrame);
    else
        ComposeFrame(*CurrentFrame, *currentPoster);
    ComposeFrame(*NextFrame, *nextPoster);
    CurrentFrame->SetPixelFormat(TPixelFormat::pf32bit);
    NextFrame->SetPixelFormat(TPixelFormat::pf32bit);
    if (placed)
        FNextComposition = TComposition{ImageNames[next], ViewType, Mode, FrameWidth, FrameHeight, palette};
}

void T_QsvImgFree::ComposeFrame(TBitmap& frame, const TBitmap& poster)
{
    PlacePoster(frame, poster);
    if (Mode == TSaverMode::smSaver)
        DrawWatermark(frame);
}

void T_QsvImgFree::AdvanceImage()
{
    int a = CurrentIndex + 1;
    if (a > ImageCount)
        a = 1;
    const int next = a == ImageCount ? 1 : a + 1;
    PrepareFrames(a, next);
    CurrentIndex = a;
}

void T_QsvImgFree::DrawWatermark(TBitmap& frame)
{
    if (frame.Empty())
        return;
    TCanvas& canvas = frame.Canvas();
    TCanvasState saved(canvas);
    TFont font;  // the canvas's default face
    font.SetSize(WatermarkPoints);
    font.SetColor(WatermarkShadow);
    canvas.SetFont(font);
    canvas.SetBkMode(bmTransparent);
    canvas.SetTextColor(WatermarkShadow);
    canvas.TextOut(5, 7, MakerAddress);
    canvas.SetTextColor(WatermarkColor);
    canvas.TextOut(7, 5, MakerAddress);
}

void T_QsvImgFree::Present(const TBitmap& frame)
{
    if (!FDisplay || !HostWnd || frame.Empty() || FrameRect.IsEmpty())
        return;
    FDisplay->PresentBits(HostWnd, 0, 0, frame.PixelView(), TWindowRect{0, 0, FrameRect.Right, FrameRect.Bottom});
}

void T_QsvImgFree::ShowCurrentFrame()
{
    Present(*CurrentFrame);
}

void T_QsvImgFree::ShowWorkFrame()
{
    Present(*WorkFrame);
}
