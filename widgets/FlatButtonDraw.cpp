#include "widgets/FlatButtonDraw.h"

#include <algorithm>
#include <cstdint>

namespace {

using i64 = std::int64_t;

constexpr i64 NotDrawn = -1;
// Positions are worked out in 64 bits so that no property value can overflow them;
// what is stored is kept within a range any canvas handles.
constexpr i64 PositionLimit = i64{1} << 24;

int ToPosition(i64 value)
{
    return static_cast<int>(std::clamp(value, -PositionLimit, PositionLimit));
}

i64 Center(i64 total, i64 border, i64 size)
{
    return border + (total - 2 * border - size) / 2;
}

bool Underlined(const TFont& font)
{
    return font.Style().Contains(fsUnderline);
}

TFont UnderlinedCopy(const TFont& font)
{
    TFont copy(font);
    copy.SetStyle(font.Style() + fsUnderline);
    return copy;
}

struct TCaptionParts {
    std::string_view Before, Accel, After;
};

TCaptionParts SplitAt(const TAcceleratedText& text)
{
    const std::string_view s = text.Text;
    const auto a = static_cast<std::size_t>(text.Accel);
    return {s.substr(0, a - 1), s.substr(a - 1, 1), s.substr(a)};
}

} // namespace

TAcceleratedText ParseAccelerator(std::string_view caption)
{
    TAcceleratedText result{std::string(caption), 0};
    std::string& s = result.Text;
    // Positions are 1-based as the shown letter is reported; s[i - 1] is letter i.
    for (std::size_t i = 1; i + 1 <= s.size(); ++i) {
        if (s[i - 1] != '&')
            continue;
        if (s[i] != '&')
            result.Accel = static_cast<int>(i);
        s.erase(i - 1, 1);
    }
    return result;
}

char AcceleratorOf(std::string_view caption)
{
    const TAcceleratedText text = ParseAccelerator(caption);
    return text.Accel > 0 ? text.Text[static_cast<std::size_t>(text.Accel) - 1] : '\0';
}

int CenterOffset(int total, int border, int size)
{
    return ToPosition(Center(total, border, size));
}

TFlatButtonPlan PlanFlatButton(const TFlatButtonFace& face)
{
    TFlatButtonPlan plan;
    const bool radio = face.Kind == fbkRadioButton;

    if (!radio && face.BorderColor != clNone) {
        plan.Border = plan.Margin = 1;
        if (face.FocusStyle == ffsBorder) {
            plan.Margin = 2;
            if (face.Focused)
                plan.Border = 2;
        }
    }

    plan.Text = ParseAccelerator(face.Caption);
    const std::string& s = plan.Text.Text;
    const TSize whole = TTextRenderer::TextExtent(face.Font, s);
    i64 h = whole.cy;
    i64 w = whole.cx;
    plan.SplitCaption = plan.Text.Accel != 0 && !Underlined(face.Font);
    if (plan.SplitCaption) {
        const TCaptionParts parts = SplitAt(plan.Text);
        w = i64{TTextRenderer::TextExtent(face.Font, parts.Before).cx} +
            TTextRenderer::TextExtent(UnderlinedCopy(face.Font), parts.Accel).cx +
            TTextRenderer::TextExtent(face.Font, parts.After).cx;
    }

    i64 gw = 0, gh = 0;
    if (face.Images) {
        if (face.GlyphIndex >= 0 && face.GlyphIndex <= face.Images->ImageCount() - 1 && face.GlyphIndex <= 255) {
            gw = face.Images->ImageWidth();
            gh = face.Images->ImageHeight();
        }
    } else if (radio) {
        gw = gh = 11;
    }
    plan.TextSize = TSize{ToPosition(w), ToPosition(h)};
    plan.GlyphSize = TSize{ToPosition(gw), ToPosition(gh)};

    const i64 spacing = face.Spacing;
    const bool beside = face.Layout == blGlyphLeft || face.Layout == blGlyphRight;
    const i64 width = face.Width, height = face.Height;

    if (face.AutoSize) {
        // A radio button keeps room for its focus rectangle around the caption.
        const i64 fw = radio ? w + 4 : w;
        const i64 fh = radio ? h + 4 : h;
        const i64 nw = fw > 0 && gw > 0 ? (beside ? gw + spacing + fw : std::max(fw, gw)) : std::max(fw, gw);
        const i64 nh = fh > 0 && gh > 0 ? (beside ? std::max(fh, gh) : fh + spacing + gh) : std::max(fh, gh);
        const i64 m = plan.Margin;
        if (nw != 0 && nh != 0 && (nw != width - 2 * m || nh != height - 2 * m)) {
            // The wanted size is kept within 0..MaxFlatButtonSide, so a size the control can
            // take is always reached and the repaint it causes asks for no further change.
            const TSize wanted{static_cast<int>(std::clamp<i64>(nw + 2 * m, 0, MaxFlatButtonSide)),
                               static_cast<int>(std::clamp<i64>(nh + 2 * m, 0, MaxFlatButtonSide))};
            if (wanted.cx != face.Width || wanted.cy != face.Height) {
                plan.Resize = true;
                plan.NewSize = wanted;
                return plan;
            }
        }
    }

    const i64 b = plan.Border;
    i64 tx = NotDrawn, ty = NotDrawn, gx = NotDrawn, gy = NotDrawn;
    if (gw == 0 && gh == 0) {
        if (!s.empty()) {
            tx = Center(width, b, w);
            ty = Center(height, b, h);
        }
    } else if (s.empty()) {
        gx = Center(width, b, gw);
        gy = Center(height, b, gh);
    } else {
        switch (face.Layout) {
        case blGlyphLeft:
            gx = Center(width, b, gw + spacing + w);
            gy = Center(height, b, gh);
            tx = gx + gw + spacing;
            ty = Center(height, b, h);
            break;
        case blGlyphRight:
            tx = Center(width, b, w + spacing + gw);
            ty = Center(height, b, h);
            gx = tx + w + spacing;
            gy = Center(height, b, gh);
            break;
        case blGlyphTop:
            gx = Center(width, b, gw);
            gy = Center(height, b, gh + spacing + h);
            tx = Center(width, b, w);
            ty = gy + gh + spacing;
            break;
        case blGlyphBottom:
        default:
            tx = Center(width, b, w);
            ty = Center(height, b, h + spacing + gh);
            gx = Center(width, b, gw);
            gy = ty + h + spacing;
            break;
        }
    }

    if (!face.AutoSize) {
        // What does not fit is dropped whole, each coordinate by itself.
        if (gx + gw > width - b)
            gx = NotDrawn;
        if (gy + gh > height - b)
            gy = NotDrawn;
        if (tx + w > width - b)
            tx = NotDrawn;
        if (ty + h > height - b)
            ty = NotDrawn;
    }
    plan.GlyphPos = TPoint{ToPosition(gx), ToPosition(gy)};
    plan.TextPos = TPoint{ToPosition(tx), ToPosition(ty)};
    return plan;
}

void PaintFlatButton(TCanvas& canvas, const TFlatButtonFace& face, const TFlatButtonPlan& plan)
{
    if (plan.Resize)
        return;
    TCanvasState saved(canvas);
    const bool radio = face.Kind == fbkRadioButton;

    canvas.Brush().SetStyle(bsClear);
    canvas.SetFont(face.Font);

    TRect r = Rect(0, 0, face.Width, face.Height);
    canvas.Brush().SetColor(face.Color);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(r);

    if (plan.Border > 0) {
        canvas.Brush().SetColor(face.BorderColor);
        canvas.FrameRect(r);
        if (face.Focused && face.FocusStyle == ffsBorder) {
            r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
            canvas.FrameRect(r);
        }
    }

    const TPoint g = plan.GlyphPos;
    if (g.X != -1 && g.Y != -1) {
        if (face.Images) {
            face.Images->DrawImage(canvas, g.X, g.Y, face.GlyphIndex);
        } else if (radio) {
            const TSize gs = plan.GlyphSize;
            canvas.Brush().SetStyle(bsSolid);
            canvas.Brush().SetColor(face.BlankColor);
            canvas.Pen().SetColor(face.BorderColor);
            canvas.Ellipse(g.X, g.Y, g.X + gs.cx, g.Y + gs.cy);
            if (face.State == cbChecked || face.State == cbGrayed) {
                canvas.Brush().SetColor(face.MarkColor);
                canvas.Pen().SetColor(face.MarkColor);
                canvas.Ellipse(g.X + 3, g.Y + 3, g.X + gs.cx - 3, g.Y + gs.cy - 3);
            }
        }
    }

    const TPoint t = plan.TextPos;
    if (t.X != -1 && t.Y != -1) {
        canvas.Brush().SetStyle(bsClear);
        const TRect focus = Rect(t.X - 2, t.Y - 2, t.X + plan.TextSize.cx + 2, t.Y + plan.TextSize.cy + 2);
        if (!plan.SplitCaption) {
            canvas.TextOut(t.X, t.Y, plan.Text.Text);
        } else {
            const TCaptionParts parts = SplitAt(plan.Text);
            canvas.TextOut(t.X, t.Y, parts.Before);
            const int accelX = t.X + canvas.TextWidth(parts.Before);
            TFontStyles style = canvas.Font().Style();
            canvas.Font().SetStyle(style + fsUnderline);
            canvas.TextOut(accelX, t.Y, parts.Accel);
            const int accelWidth = canvas.TextWidth(parts.Accel);
            canvas.Font().SetStyle(style);
            canvas.TextOut(accelX + accelWidth, t.Y, parts.After);
        }
        if (face.Focused && radio) {
            canvas.Brush().SetStyle(bsSolid);
            canvas.DrawFocusRect(focus);
        }
    }
}
