#include "widgets/Label3DDraw.h"

#include "gfx/DrawText.h"

namespace {

// Moves r, saturating so that no offset can overflow a coordinate.
int Add(int a, int b)
{
    const long long sum = static_cast<long long>(a) + b;
    constexpr long long limit = 1LL << 24;
    return static_cast<int>(sum < -limit ? -limit : sum > limit ? limit : sum);
}

TRect Moved(const TRect& r, int dx, int dy)
{
    return Rect(Add(r.Left, dx), Add(r.Top, dy), Add(r.Right, dx), Add(r.Bottom, dy));
}

struct TPass {
    TColor Color;
    int Offset;
};

} // namespace

std::uint32_t Label3DTextFlags(const TLabel3DCaption& caption, std::uint32_t flags)
{
    if (!caption.ShowAccelChar)
        flags |= DT_NOPREFIX;
    if (caption.EllipsesStyle == esEnd)
        flags |= DT_END_ELLIPSIS;
    else if (caption.EllipsesStyle == esPath)
        flags |= DT_PATH_ELLIPSIS;
    if (caption.Escapement == 0)
        flags |= caption.LayoutFlags;
    return flags;
}

void DrawLabel3DCaption(TCanvas& canvas, TRect& rect, std::uint32_t flags, const TLabel3DCaption& caption,
                        const TRotatedPass& rotated)
{
    std::string text = caption.Caption;
    if ((flags & DT_CALCRECT) != 0 && (text.empty() || (caption.ShowAccelChar && text == "&")))
        text += ' ';
    flags = Label3DTextFlags(caption, flags);
    canvas.SetFont(caption.Font);

    const auto pass = [&](TColor color, TRect& r) {
        canvas.Font().SetColor(color);
        canvas.SetTextColor(color);
        if (caption.Escapement == 0) {
            canvas.DrawText(text, r, flags);
        } else if (rotated) {
            rotated(canvas, r, text, caption.Escapement);
        }
    };

    TPass effects[2]{};
    int count = 0;
    switch (caption.TextStyle) {
    case tsRaised:
        effects[count++] = {caption.ShadowColor, 1};
        break;
    case tsLightRaised:
        effects[count++] = {caption.ShadowColor, 1};
        effects[count++] = {caption.HighlightColor, -1};
        break;
    case tsRecessed:
        effects[count++] = {caption.HighlightColor, 1};
        break;
    case tsHeavyRecessed:
        effects[count++] = {caption.HighlightColor, 1};
        effects[count++] = {caption.ShadowColor, -1};
        break;
    case tsShadow:
        effects[count++] = {caption.ShadowColor, caption.Shift};
        break;
    case tsNone:
    default:
        break;
    }
    for (int i = 0; i < count; ++i) {
        TRect copy = Moved(rect, effects[i].Offset, effects[i].Offset);
        pass(effects[i].Color, copy);
    }
    pass(caption.Enabled ? caption.Font.Color() : clGrayText, rect);
}

void DrawBevel(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight)
{
    canvas.Pen().SetColor(topLeft);
    canvas.MoveTo(r.Left, r.Top);
    canvas.LineTo(r.Right, r.Top);
    canvas.MoveTo(r.Left, r.Top);
    canvas.LineTo(r.Left, r.Bottom);
    canvas.Pen().SetColor(bottomRight);
    canvas.MoveTo(r.Right, r.Bottom);
    canvas.LineTo(r.Right, r.Top);
    canvas.MoveTo(r.Right, r.Bottom);
    canvas.LineTo(r.Left, r.Bottom);
}

void DrawLabel3DBorder(TCanvas& canvas, TBorderType type, int width, int height)
{
    switch (type) {
    case btRecessed:
        DrawBevel(canvas, Rect(0, 0, width - 1, height - 1), 0x808080, 0xFFFFFF);
        break;
    case btRaised:
        DrawBevel(canvas, Rect(0, 0, width - 1, height - 1), 0xFFFFFF, 0x808080);
        break;
    case btDefault:
    default: {
        const TBrushStyle brush = canvas.Brush().Style();
        canvas.Brush().SetStyle(bsClear);
        canvas.Rectangle(0, 0, width, height);
        canvas.Brush().SetStyle(brush);
        break;
    }
    }
}
