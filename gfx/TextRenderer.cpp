#include "gfx/TextRenderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "gfx/FontCache.h"
#include "platform/Cp1252.h"
#include "platform/Utf.h"

namespace {

// The text's coverage: glyphs, underline and strike-out in one 8-bit mask. The
// cell's top-left corner is at (OriginX, OriginY) inside the mask.
struct TTextMask {
    int OriginX = 0;
    int OriginY = 0;
    int Width = 0;
    int Height = 0;
    int CellWidth = 0;
    int CellHeight = 0;
    std::vector<std::uint8_t> Alpha;

    std::uint8_t At(int i, int j) const {
        if (i < 0 || j < 0 || i >= Width || j >= Height) return 0;
        return Alpha[static_cast<std::size_t>(j) * Width + i];
    }
};

TTextMask BuildMask(TSizedFace& face, const std::u32string& text, bool underline, bool strikeOut) {
    const TFaceMetrics& m = face.Metrics();
    struct TPlaced { const TGlyphImage* Glyph; int X; };
    std::vector<TPlaced> placed;
    placed.reserve(text.size());
    int pen = 0;
    int minX = 0, minY = 0, maxX = 0, maxY = m.Ascent + m.Descent;
    for (char32_t c : text) {
        const TGlyphImage& g = face.Glyph(c);
        placed.push_back({&g, pen});
        if (g.Width > 0 && g.Height > 0) {
            minX = std::min(minX, pen + g.Left);
            maxX = std::max(maxX, pen + g.Left + g.Width);
            minY = std::min(minY, m.Ascent - g.Top);
            maxY = std::max(maxY, m.Ascent - g.Top + g.Height);
        }
        pen += g.Advance;
    }
    TTextMask mask;
    mask.CellWidth = pen;
    mask.CellHeight = m.Ascent + m.Descent;
    maxX = std::max(maxX, pen);
    mask.OriginX = -minX;
    mask.OriginY = -minY;
    mask.Width = maxX - minX;
    mask.Height = maxY - minY;
    mask.Alpha.assign(static_cast<std::size_t>(mask.Width) * mask.Height, 0);
    for (const TPlaced& p : placed) {
        const TGlyphImage& g = *p.Glyph;
        int left = mask.OriginX + p.X + g.Left;
        int top = mask.OriginY + m.Ascent - g.Top;
        for (int j = 0; j < g.Height; ++j) {
            std::uint8_t* row = mask.Alpha.data() + static_cast<std::size_t>(top + j) * mask.Width + left;
            const std::uint8_t* src = g.Coverage.data() + static_cast<std::size_t>(j) * g.Width;
            for (int i = 0; i < g.Width; ++i) row[i] = std::max(row[i], src[i]);
        }
    }
    auto fillRows = [&](int firstRow, int thickness) {
        for (int j = firstRow; j < firstRow + thickness; ++j) {
            int row = mask.OriginY + j;
            if (row < 0 || row >= mask.Height) continue;
            std::fill_n(mask.Alpha.data() + static_cast<std::size_t>(row) * mask.Width + mask.OriginX, pen, 255);
        }
    };
    if (underline && pen > 0) fillRows(m.Ascent + m.UnderlineOffset, m.UnderlineThickness);
    if (strikeOut && pen > 0) fillRows(m.Ascent - m.StrikeOutOffset, m.StrikeOutThickness);
    return mask;
}

struct TRgb {
    int B, G, R;
    explicit TRgb(std::uint32_t c) : B((c >> 16) & 0xFF), G((c >> 8) & 0xFF), R(c & 0xFF) {}
};

inline void Blend(std::uint8_t* p, const TRgb& c, int alpha) {
    if (alpha <= 0) return;
    if (alpha >= 255) { p[0] = static_cast<std::uint8_t>(c.B); p[1] = static_cast<std::uint8_t>(c.G); p[2] = static_cast<std::uint8_t>(c.R); return; }
    p[0] = static_cast<std::uint8_t>(p[0] + ((c.B - p[0]) * alpha + (c.B >= p[0] ? 127 : -127)) / 255);
    p[1] = static_cast<std::uint8_t>(p[1] + ((c.G - p[1]) * alpha + (c.G >= p[1] ? 127 : -127)) / 255);
    p[2] = static_cast<std::uint8_t>(p[2] + ((c.R - p[2]) * alpha + (c.R >= p[2] ? 127 : -127)) / 255);
}

TRect ClipFor(const TBitmap& target, const TTextOutOptions& options) {
    const TRect whole{0, 0, target.Width(), target.Height()};
    return options.Clip ? whole.Intersect(*options.Clip) : whole;
}

void DrawStraight(TBitmap& target, const TTextMask& mask, int x, int y, const TRect& clip, const TTextOutOptions& options) {
    const int bpp = target.BytesPerPixel();
    if (options.Opaque) {
        TRgb back(options.BackColor);
        int l = std::max(clip.Left, x), r = std::min(clip.Right, x + mask.CellWidth);
        int t = std::max(clip.Top, y), b = std::min(clip.Bottom, y + mask.CellHeight);
        for (int yy = t; yy < b; ++yy) {
            std::uint8_t* row = target.ScanLine(yy);
            for (int xx = l; xx < r; ++xx) Blend(row + xx * bpp, back, 255);
        }
    }
    TRgb color(options.Color);
    int left = x - mask.OriginX, top = y - mask.OriginY;
    int i0 = std::max(0, clip.Left - left), i1 = std::min(mask.Width, clip.Right - left);
    int j0 = std::max(0, clip.Top - top), j1 = std::min(mask.Height, clip.Bottom - top);
    for (int j = j0; j < j1; ++j) {
        std::uint8_t* row = target.ScanLine(top + j);
        const std::uint8_t* a = mask.Alpha.data() + static_cast<std::size_t>(j) * mask.Width;
        for (int i = i0; i < i1; ++i) Blend(row + (left + i) * bpp, color, a[i]);
    }
}

// Rotation about (x, y) by the escapement, counter-clockwise on screen. Each target
// pixel centre is mapped back into the mask and sampled bilinearly.
void DrawRotated(TBitmap& target, const TTextMask& mask, int x, int y, int escapement, const TRect& clip,
                 const TTextOutOptions& options) {
    int tenths = ((escapement % 3600) + 3600) % 3600;
    double c, s;
    switch (tenths) {
        case 900: c = 0; s = 1; break;
        case 1800: c = -1; s = 0; break;
        case 2700: c = 0; s = -1; break;
        default: {
            double r = tenths * std::numbers::pi / 1800.0;
            c = std::cos(r);
            s = std::sin(r);
        }
    }
    // Text space (u along the baseline, v downward) to the screen.
    auto toScreenX = [&](double u, double v) { return x + u * c + v * s; };
    auto toScreenY = [&](double u, double v) { return y - u * s + v * c; };
    double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
    const double us[2] = {-static_cast<double>(mask.OriginX), static_cast<double>(mask.Width - mask.OriginX)};
    const double vs[2] = {-static_cast<double>(mask.OriginY), static_cast<double>(mask.Height - mask.OriginY)};
    for (double u : us)
        for (double v : vs) {
            minX = std::min(minX, toScreenX(u, v)); maxX = std::max(maxX, toScreenX(u, v));
            minY = std::min(minY, toScreenY(u, v)); maxY = std::max(maxY, toScreenY(u, v));
        }
    int x0 = std::max(clip.Left, static_cast<int>(std::floor(minX)));
    int x1 = std::min(clip.Right, static_cast<int>(std::ceil(maxX)) + 1);
    int y0 = std::max(clip.Top, static_cast<int>(std::floor(minY)));
    int y1 = std::min(clip.Bottom, static_cast<int>(std::ceil(maxY)) + 1);
    const int bpp = target.BytesPerPixel();
    TRgb color(options.Color), back(options.BackColor);
    for (int py = y0; py < y1; ++py) {
        std::uint8_t* row = target.ScanLine(py);
        double dy = py + 0.5 - y;
        for (int px = x0; px < x1; ++px) {
            double dx = px + 0.5 - x;
            double u = dx * c - dy * s;
            double v = dx * s + dy * c;
            std::uint8_t* p = row + px * bpp;
            if (options.Opaque && u >= 0 && v >= 0 && u < mask.CellWidth && v < mask.CellHeight) Blend(p, back, 255);
            double mu = u + mask.OriginX - 0.5, mv = v + mask.OriginY - 0.5;
            double fu = std::floor(mu), fv = std::floor(mv);
            if (fu < -1 || fv < -1 || fu > mask.Width || fv > mask.Height) continue;
            int iu = static_cast<int>(fu), iv = static_cast<int>(fv);
            double au = mu - fu, av = mv - fv;
            double a = (mask.At(iu, iv) * (1 - au) + mask.At(iu + 1, iv) * au) * (1 - av) +
                       (mask.At(iu, iv + 1) * (1 - au) + mask.At(iu + 1, iv + 1) * au) * av;
            Blend(p, color, static_cast<int>(a + 0.5));
        }
    }
}

} // namespace

TSize TTextRenderer::TextExtent(const TFont& font, std::string_view text) { return TextExtent(font, Cp1252ToWide(text)); }

TSize TTextRenderer::TextExtent(const TFont& font, std::u16string_view text) {
    auto face = TFontCache::Instance().Face(font);
    int width = 0;
    for (char32_t c : Utf16ToUtf32(text)) width += face->Glyph(c).Advance;
    return TSize{width, face->Metrics().Ascent + face->Metrics().Descent};
}

TTextMetric TTextRenderer::TextMetrics(const TFont& font) {
    auto face = TFontCache::Instance().Face(font);
    const TFaceMetrics& m = face->Metrics();
    TTextMetric tm;
    tm.tmAscent = m.Ascent;
    tm.tmDescent = m.Descent;
    tm.tmHeight = m.Ascent + m.Descent;
    tm.tmInternalLeading = m.InternalLeading;
    tm.tmExternalLeading = m.ExternalLeading;
    tm.tmAveCharWidth = m.AveCharWidth;
    tm.tmMaxCharWidth = m.MaxCharWidth;
    tm.tmWeight = font.Weight();
    tm.tmItalic = font.Style().Contains(fsItalic);
    tm.tmUnderlined = font.Style().Contains(fsUnderline);
    tm.tmStruckOut = font.Style().Contains(fsStrikeOut);
    return tm;
}

TFontResolution TTextRenderer::Resolve(const TFont& font) { return TFontCache::Instance().Face(font)->Resolution(); }

void TTextRenderer::TextOut(TBitmap& target, const TFont& font, int x, int y, std::string_view text,
                            const TTextOutOptions& options) {
    TextOut(target, font, x, y, std::u16string_view(Cp1252ToWide(text)), options);
}

void TTextRenderer::TextOut(TBitmap& target, const TFont& font, int x, int y, std::u16string_view text,
                            const TTextOutOptions& options) {
    if (text.empty() || target.Empty()) return;
    TRect clip = ClipFor(target, options);
    if (clip.IsEmpty()) return;
    auto face = TFontCache::Instance().Face(font);
    TTextMask mask = BuildMask(*face, Utf16ToUtf32(text), font.Style().Contains(fsUnderline), font.Style().Contains(fsStrikeOut));
    if (font.Escapement() % 3600 == 0)
        DrawStraight(target, mask, x, y, clip, options);
    else
        DrawRotated(target, mask, x, y, font.Escapement(), clip, options);
}
