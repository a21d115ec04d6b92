#include "gfx/Canvas.h"

#include "gfx/CanvasPixels.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

using namespace CanvasPixels;

namespace {

// Copies count pixels picked from a source row at the given byte offsets.
template <int SourceBytes, int TargetBytes>
void GatherRow(std::uint8_t* target, const std::uint8_t* sourceRow, const std::int32_t* offsets, int count)
{
    for (int i = 0; i < count; ++i, target += TargetBytes) {
        const std::uint8_t* s = sourceRow + offsets[i];
        if constexpr (SourceBytes == 4 && TargetBytes == 4) {
            std::memcpy(target, s, 4);
        } else if constexpr (TargetBytes == 4) {
            const std::uint32_t v = Read(s);
            std::memcpy(target, &v, 4);
        } else {
            target[0] = s[0];
            target[1] = s[1];
            target[2] = s[2];
        }
    }
}

using TGather = void (*)(std::uint8_t*, const std::uint8_t*, const std::int32_t*, int);

TGather GatherFor(int sourceBytes, int targetBytes)
{
    if (sourceBytes == 4)
        return targetBytes == 4 ? &GatherRow<4, 4> : &GatherRow<4, 3>;
    return targetBytes == 4 ? &GatherRow<3, 4> : &GatherRow<3, 3>;
}

// Target index i of count maps to source index first + (2i + 1) * sourceCount / (2 count):
// the source pixel under the centre of the target pixel. Computed by stepping.
struct TStepper {
    std::int64_t Quotient;
    std::int64_t Remainder;
    std::int64_t StepQuotient;
    std::int64_t StepRemainder;
    std::int64_t Divisor;

    TStepper(int first, int sourceCount, int count, int startIndex)
    {
        Divisor = 2 * static_cast<std::int64_t>(count);
        const std::int64_t numerator = (2 * static_cast<std::int64_t>(startIndex) + 1) * sourceCount;
        Quotient = first + numerator / Divisor;
        Remainder = numerator % Divisor;
        const std::int64_t step = 2 * static_cast<std::int64_t>(sourceCount);
        StepQuotient = step / Divisor;
        StepRemainder = step % Divisor;
    }
    int Value() const { return static_cast<int>(Quotient); }
    void Next()
    {
        Quotient += StepQuotient;
        Remainder += StepRemainder;
        if (Remainder >= Divisor) {
            Remainder -= Divisor;
            ++Quotient;
        }
    }
};

} // namespace

void TCanvas::PatBlt(int x, int y, int width, int height, std::uint32_t rop)
{
    if (width <= 0 || height <= 0)
        return;
    const TRect clip = DeviceClip();
    const int x0 = std::max(x + FOrigin.X, clip.Left), x1 = std::min(x + FOrigin.X + width, clip.Right);
    const int y0 = std::max(y + FOrigin.Y, clip.Top), y1 = std::min(y + FOrigin.Y + height, clip.Bottom);
    if (x0 >= x1 || y0 >= y1)
        return;
    const std::uint8_t code = RopCode(rop);
    const TBrushStyle style = FBrush.Style();
    const std::uint32_t brush = style == bsClear ? 0 : DeviceColor(FBrush.Color());
    const std::uint32_t back = DeviceColor(FBkColor);
    const int bpp = FTarget->BytesPerPixel();
    for (int row = y0; row < y1; ++row) {
        std::uint8_t* p = PixelAddress(x0, row);
        for (int col = x0; col < x1; ++col, p += bpp) {
            const std::uint32_t pattern = (style == bsSolid || style == bsClear || HatchCovers(style, col, row)) ? brush : back;
            Write(p, ApplyRop3(code, pattern, 0, Read(p)) & 0x00FFFFFFu);
        }
    }
}

void TCanvas::BitBlt(int x, int y, int width, int height, const TCanvas& source, int sourceX, int sourceY, std::uint32_t rop)
{
    BlitCore(x, y, width, height, *source.FTarget, source.FOrigin, source.FBkColor, sourceX, sourceY, width, height, rop);
}

void TCanvas::BitBlt(int x, int y, int width, int height, const TBitmap& source, int sourceX, int sourceY, std::uint32_t rop)
{
    BlitCore(x, y, width, height, source, TPoint{}, clWhite, sourceX, sourceY, width, height, rop);
}

void TCanvas::StretchBlt(int x, int y, int width, int height, const TCanvas& source, int sourceX, int sourceY,
                         int sourceWidth, int sourceHeight, std::uint32_t rop)
{
    BlitCore(x, y, width, height, *source.FTarget, source.FOrigin, source.FBkColor, sourceX, sourceY, sourceWidth,
             sourceHeight, rop);
}

void TCanvas::StretchBlt(int x, int y, int width, int height, const TBitmap& source, int sourceX, int sourceY,
                         int sourceWidth, int sourceHeight, std::uint32_t rop)
{
    BlitCore(x, y, width, height, source, TPoint{}, clWhite, sourceX, sourceY, sourceWidth, sourceHeight, rop);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    BlitCore(x, y, bitmap.Width(), bitmap.Height(), bitmap, TPoint{}, clWhite, 0, 0, bitmap.Width(), bitmap.Height(), FCopyMode);
}

void TCanvas::StretchDraw(const TRect& rect, const TBitmap& bitmap)
{
    BlitCore(rect.Left, rect.Top, rect.Width(), rect.Height(), bitmap, TPoint{}, clWhite, 0, 0, bitmap.Width(),
             bitmap.Height(), FCopyMode);
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect)
{
    StretchBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), source, sourceRect.Left, sourceRect.Top, sourceRect.Width(),
               sourceRect.Height(), FCopyMode);
}

void TCanvas::BlitCore(int x, int y, int width, int height, const TBitmap& sourceBitmap, TPoint sourceOrigin, TColor sourceBk,
                       int sourceX, int sourceY, int sourceWidth, int sourceHeight, std::uint32_t rop)
{
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    if (!RopUsesSource(rop)) {
        PatBlt(x, y, width, height, rop);
        return;
    }
    const int targetLeft = x + FOrigin.X, targetTop = y + FOrigin.Y;
    const int sourceLeft = sourceX + sourceOrigin.X, sourceTop = sourceY + sourceOrigin.Y;
    const TRect clip = DeviceClip();
    // Target columns and rows that are visible and whose source pixel exists.
    auto visibleRange = [](int targetStart, int count, int clipLow, int clipHigh, int sourceStart, int sourceCount,
                           int sourceLimit, int& first, int& last) {
        first = std::max(0, clipLow - targetStart);
        last = std::min(count, clipHigh - targetStart) - 1;
        // The mapping rises with i, so the columns whose source is in range are contiguous.
        auto sourceOf = [&](int i) {
            return sourceStart + static_cast<int>(((2 * static_cast<std::int64_t>(i) + 1) * sourceCount) / (2 * static_cast<std::int64_t>(count)));
        };
        while (first <= last && sourceOf(first) < 0)
            ++first;
        while (first <= last && sourceOf(last) >= sourceLimit)
            --last;
    };
    int colFirst, colLast, rowFirst, rowLast;
    visibleRange(targetLeft, width, clip.Left, clip.Right, sourceLeft, sourceWidth, sourceBitmap.Width(), colFirst, colLast);
    visibleRange(targetTop, height, clip.Top, clip.Bottom, sourceTop, sourceHeight, sourceBitmap.Height(), rowFirst, rowLast);
    if (colFirst > colLast || rowFirst > rowLast)
        return;

    // Reading from the bitmap being drawn on: work from a copy.
    std::optional<TBitmap> copy;
    const TBitmap* source = &sourceBitmap;
    if (source == FTarget) {
        copy.emplace(sourceBitmap);
        source = &*copy;
    }

    const int columns = colLast - colFirst + 1;
    const int sourceBytes = source->BytesPerPixel();
    const int targetBytes = FTarget->BytesPerPixel();
    std::vector<std::int32_t> offsets(static_cast<std::size_t>(columns));
    {
        TStepper step(sourceLeft, sourceWidth, width, colFirst);
        for (int i = 0; i < columns; ++i, step.Next())
            offsets[static_cast<std::size_t>(i)] = step.Value() * sourceBytes;
    }

    const bool sourceMono = source->Monochrome();
    const bool targetMono = FTarget->Monochrome();
    const std::uint8_t code = RopCode(rop);
    const bool plainCopy = code == 0xCC && sourceMono == targetMono;
    const bool readsTarget = RopUsesDest(rop);
    const bool usesPattern = RopUsesPattern(rop);
    const TBrushStyle brushStyle = FBrush.Style();
    const std::uint32_t brush = brushStyle == bsClear ? 0 : DeviceColor(FBrush.Color());
    const std::uint32_t back = DeviceColor(FBkColor);
    const std::uint32_t text = DeviceColor(FTextColor);
    const std::uint32_t sourceKey = ToDevice(sourceBk);
    const bool patternVaries = usesPattern && brushStyle != bsSolid && brushStyle != bsClear;
    const TGather gather = GatherFor(sourceBytes, targetBytes);

    const int x0 = targetLeft + colFirst;
    TStepper rowStep(sourceTop, sourceHeight, height, rowFirst);
    int previousSourceRow = -1;
    std::uint8_t* previousTarget = nullptr;
    const std::size_t rowBytes = static_cast<std::size_t>(columns) * static_cast<std::size_t>(targetBytes);
    for (int i = rowFirst; i <= rowLast; ++i, rowStep.Next()) {
        const int sourceRow = rowStep.Value();
        const int targetRow = targetTop + i;
        std::uint8_t* target = PixelAddress(x0, targetRow);
        // A source row repeated on the next target row is copied over from the row above.
        if (sourceRow == previousSourceRow && !readsTarget && !patternVaries && previousTarget) {
            std::memcpy(target, previousTarget, rowBytes);
            previousTarget = target;
            continue;
        }
        const std::uint8_t* sourceLine = source->ScanLine(sourceRow);
        if (plainCopy) {
            if (sourceWidth == width && sourceBytes == targetBytes)
                std::memcpy(target, sourceLine + offsets[0], rowBytes);
            else
                gather(target, sourceLine, offsets.data(), columns);
        } else {
            std::uint8_t* p = target;
            for (int c = 0; c < columns; ++c, p += targetBytes) {
                std::uint32_t s = Read(sourceLine + offsets[static_cast<std::size_t>(c)]);
                if (sourceMono && !targetMono)
                    s = (s & 0x00FFFFFFu) == 0 ? text : back;
                else if (!sourceMono && targetMono)
                    s = s == sourceKey ? 0x00FFFFFFu : 0u;
                std::uint32_t pattern = brush;
                if (patternVaries && !HatchCovers(brushStyle, x0 + c, targetRow))
                    pattern = back;
                const std::uint32_t d = readsTarget ? Read(p) : 0;
                Write(p, ApplyRop3(code, pattern, s, d) & 0x00FFFFFFu);
            }
        }
        previousSourceRow = sourceRow;
        previousTarget = target;
    }
}
