#pragma once

#include "gfx/Bitmap.h"
#include "gfx/Brush.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"
#include "gfx/Pen.h"
#include "gfx/RasterOp.h"
#include "gfx/TextRenderer.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Background mode of text, styled lines and hatches (the platform's values).
enum TBkMode : std::uint8_t { bmTransparent = 1, bmOpaque = 2 };

// Drawing on a TBitmap with the semantics of a platform device context.
//
// Coordinates are logical: device pixel = logical point + Origin(). Rectangles
// exclude their right and bottom edges; lines leave out their end point. Every
// operation is limited to the clipping rectangle and the bitmap.
//
// The pen, brush and font are the selected objects. As the form framework's canvas
// does, a change of the brush also sets the background: a solid brush makes the
// background opaque in the brush colour, any other brush transparent (in the
// inverse colour); a change of the font sets the text colour to the font's colour.
// SetBkMode, SetBkColor and SetTextColor override that until the next change.
//
// SaveState/RestoreState keep and bring back everything selected: pen, brush, font,
// background mode and colour, text colour, copy mode, origin, clipping and pen
// position. TCanvasState does so for a scope.
class TCanvas {
public:
    explicit TCanvas(TBitmap& target);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TBitmap& Target() { return *FTarget; }
    const TBitmap& Target() const { return *FTarget; }
    // 1 for a monochrome bitmap, else 24 or 32.
    int BitsPerPixel() const;

    TPen& Pen() { return FPen; }
    const TPen& Pen() const { return FPen; }
    TBrush& Brush() { return FBrush; }
    const TBrush& Brush() const { return FBrush; }
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetPen(const TPen& pen) { FPen.Assign(pen); }
    void SetBrush(const TBrush& brush) { FBrush.Assign(brush); }
    void SetFont(const TFont& font) { FFont.Assign(font); }

    TBkMode BkMode() const { return FBkMode; }
    void SetBkMode(TBkMode mode) { FBkMode = mode; }
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor color) { FBkColor = color; }
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor color) { FTextColor = color; }
    // The raster operation of Draw, StretchDraw and CopyRect (SRCCOPY at first).
    std::uint32_t CopyMode() const { return FCopyMode; }
    void SetCopyMode(std::uint32_t rop) { FCopyMode = rop; }

    // Origin and clipping.
    TPoint Origin() const { return FOrigin; }
    void SetOrigin(TPoint origin) { FOrigin = origin; }
    void MoveOrigin(int dx, int dy) { FOrigin.X += dx; FOrigin.Y += dy; }
    // The part of the logical plane drawing reaches (clipping and bitmap together).
    TRect ClipRect() const;
    // Narrows clipping to rect (logical coordinates).
    void IntersectClipRect(const TRect& rect);
    // Clipping becomes rect (logical coordinates), always within the bitmap.
    void SetClipRect(const TRect& rect);
    // Clipping becomes the whole bitmap.
    void ResetClip();
    // Pushes the selected state; answers the new depth (1 for the first save).
    int SaveState();
    // Pops back to the state saved at depth saved (-1: the last one). False when there is none.
    bool RestoreState(int saved = -1);
    int SavedStates() const { return static_cast<int>(FSaved.size()); }

    // Pixels; reading outside the clipping answers CLR_INVALID.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Lines with the pen.
    TPoint PenPos() const { return FPenPos; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);

    // Brush fills (not affected by the pen mode).
    void FillRect(const TRect& rect);
    // A one-pixel frame in the brush.
    void FrameRect(const TRect& rect);
    void InvertRect(const TRect& rect);
    // The dotted focus frame, drawn by inverting every other pixel; drawing it twice undoes it.
    void DrawFocusRect(const TRect& rect);

    // Figures outlined with the pen and filled with the brush. A clear pen leaves them
    // one pixel smaller in width and height, as the platform does.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    // Filled with the alternate rule (pixel centres), outlined as a closed polyline.
    void Polygon(std::span<const TPoint> points);

    // Blits. rop is a ternary raster operation (gfx/RasterOp.h); the pattern is the brush.
    // Monochrome conversions: from a colour source into a monochrome target, source pixels
    // of the source canvas's background colour become white and all others black; from a
    // monochrome source into a colour target, black becomes this canvas's text colour and
    // white its background colour. Target pixels whose source lies outside the source
    // bitmap are left alone.
    void PatBlt(int x, int y, int width, int height, std::uint32_t rop);
    void BitBlt(int x, int y, int width, int height, const TCanvas& source, int sourceX, int sourceY,
                std::uint32_t rop);
    // A bitmap used directly has background colour white and origin (0, 0).
    void BitBlt(int x, int y, int width, int height, const TBitmap& source, int sourceX, int sourceY,
                std::uint32_t rop);
    // Nearest neighbour: target pixel i of n takes source pixel (2i + 1) * m / (2n) of m,
    // so whole rows and columns are kept or dropped; a target that starts left of or above
    // the clipping loses only what lies outside it. Non-positive sizes draw nothing.
    void StretchBlt(int x, int y, int width, int height, const TCanvas& source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, std::uint32_t rop);
    void StretchBlt(int x, int y, int width, int height, const TBitmap& source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, std::uint32_t rop);
    // The whole bitmap at (x, y), or stretched over rect, or a part of another canvas, with CopyMode.
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& rect, const TBitmap& bitmap);
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);

    // Text in the font (8-bit strings in code page 1252, or UTF-16), in the text colour,
    // with the background mode: an opaque background fills the text's cell in the
    // background colour. (x, y) is the top-left corner of the cell.
    void TextOut(int x, int y, std::string_view text);
    void TextOut(int x, int y, std::u16string_view text);
    // Text at (x, y), clipped to rect; an opaque background fills all of rect first.
    void TextRect(const TRect& rect, int x, int y, std::string_view text);
    void TextRect(const TRect& rect, int x, int y, std::u16string_view text);
    TSize TextExtent(std::string_view text) const;
    TSize TextExtent(std::u16string_view text) const;
    int TextWidth(std::string_view text) const { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) const { return TextExtent(text).cy; }
    int TextWidth(std::u16string_view text) const { return TextExtent(text).cx; }
    int TextHeight(std::u16string_view text) const { return TextExtent(text).cy; }
    // Formatted text with the DT_* flags of gfx/DrawText.h; answers the text height.
    int DrawText(std::string_view text, TRect& rect, std::uint32_t format);
    int DrawText(std::u16string_view text, TRect& rect, std::uint32_t format);
    TTextMetric GetTextMetrics() const;

private:
    struct TState {
        TPen Pen;
        TBrush Brush;
        TFont Font;
        TBkMode BkMode;
        TColor BkColor;
        TColor TextColor;
        std::uint32_t CopyMode;
        TPoint Origin;
        bool Clipped;
        TRect Clip;
        TPoint PenPos;
    };
    // One span of pixels per row, x0..x1 inclusive (x0 > x1: nothing), from row Top down.
    struct TRows {
        int Top = 0;
        std::vector<int> X0;
        std::vector<int> X1;
        int Bottom() const { return Top + static_cast<int>(X0.size()); }
    };

    void BrushChanged();
    void FontChanged();

    // Device-level painting (device coordinates, clipped here).
    TRect DeviceClip() const;
    std::uint32_t DeviceColor(TColor color) const;
    std::uint8_t* PixelAddress(int x, int y);
    void PaintSolidSpan(int y, int x0, int x1, std::uint32_t color, int rop2);
    void PaintBrushSpan(int y, int x0, int x1, int rop2);
    void PaintRows(const TRows& rows, bool withPen, int rop2);
    void PaintRing(const TRows& outer, const TRows& inner, int rop2);
    void CosmeticLine(int x0, int y0, int x1, int y1, int rop2);
    void WideLine(int x0, int y0, int x1, int y1, int rop2);
    void DrawFigure(int left, int top, int right, int bottom, int kind, int cornerWidth, int cornerHeight);
    static TRows FigureRows(int kind, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    static TRows InteriorOf(const TRows& rows);
    int PenRop2() const;
    void BlitCore(int x, int y, int width, int height, const TBitmap& source, TPoint sourceOrigin, TColor sourceBk,
                  int sourceX, int sourceY, int sourceWidth, int sourceHeight, std::uint32_t rop);
    TTextOutOptions TextOptions(const TRect* clip) const;
    void SettleMonochrome(int x, int y, const TSize& extent);

    TBitmap* FTarget;
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    TBkMode FBkMode = bmOpaque;
    TColor FBkColor = clWhite;
    TColor FTextColor = clBlack;
    std::uint32_t FCopyMode = SRCCOPY;
    TPoint FOrigin;
    bool FClipped = false;
    TRect FClip; // device coordinates, when FClipped
    TPoint FPenPos;
    int FDashPos = 0;
    std::vector<TState> FSaved;
};

// Saves the canvas state on construction and restores it on destruction.
class TCanvasState {
public:
    explicit TCanvasState(TCanvas& canvas) : FCanvas(canvas), FDepth(canvas.SaveState()) {}
    ~TCanvasState() { FCanvas.RestoreState(FDepth); }
    TCanvasState(const TCanvasState&) = delete;
    TCanvasState& operator=(const TCanvasState&) = delete;

private:
    TCanvas& FCanvas;
    int FDepth;
};
