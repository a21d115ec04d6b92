#include "widgets/StyledText.h"

#include "gfx/DrawText.h"

std::uint32_t StyledTextFlags(TglHorAlign horAlign, TglVertAlign vertAlign, std::uint32_t baseFlags)
{
    std::uint32_t flags = baseFlags == 0 ? (DT_SINGLELINE | DT_VCENTER) : baseFlags;
    if (horAlign == fhaCenter)
        flags |= DT_CENTER;
    else if (horAlign == fhaRight)
        flags |= DT_RIGHT;
    if (vertAlign == fvaCenter)
        flags |= DT_VCENTER;
    else if (vertAlign == fvaBottom)
        flags |= DT_BOTTOM;
    return flags;
}

void DrawStyledText(TCanvas& canvas, const TRect& rect, std::string_view text, TglHorAlign horAlign,
                    TglVertAlign vertAlign, TglTextStyle style, const TFont* font, std::uint32_t baseFlags)
{
    if (!font)
        return;
    const std::uint32_t flags = StyledTextFlags(horAlign, vertAlign, baseFlags);
    TCanvasState keep(canvas);
    canvas.SetFont(*font);
    canvas.SetBkMode(bmTransparent);

    auto pass = [&](TColor color, int dx, int dy) {
        canvas.SetTextColor(color);
        TRect moved = Rect(rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy);
        canvas.DrawText(text, moved, flags);
    };
    const TColor textColor = font->Color();
    switch (style) {
    case fstRaised:
        pass(clBtnHighlight, -1, -1);
        pass(clBtnShadow, 1, 1);
        pass(textColor, 0, 0);
        break;
    case fstRecessed:
        pass(clBtnShadow, -1, -1);
        pass(clBtnHighlight, 1, 1);
        pass(textColor, 0, 0);
        break;
    case fstPushed:
        pass(clBtnHighlight, 0, 0);
        pass(clBtnShadow, -1, -1);
        break;
    case fstShadow:
        pass(clBtnShadow, 2, 2);
        pass(textColor, 0, 0);
        break;
    case fstNone:
    case fstVolumetric:
    default:
        pass(textColor, 0, 0);
        break;
    }
}

void DrawStyledTextAt(TCanvas& canvas, int x, int y, const TRect& clip, std::string_view text, TglTextStyle style,
                      bool outline, bool skipEffects, TColor textColor, TColor outlineColor, TColor highlightColor,
                      TColor shadowColor, const TFont* font)
{
    if (!font)
        return;
    TCanvasState keep(canvas);
    canvas.SetFont(*font);
    canvas.SetBkMode(bmTransparent);

    auto pass = [&](TColor color, int dx, int dy) {
        canvas.SetTextColor(color);
        canvas.TextRect(clip, x + dx, y + dy, text);
    };
    constexpr int shadowDepth = 2;
    int d = outline ? 4 : 2;
    if (style == fstNone || style == fstShadow)
        d = d / 2 - 1;
    const bool effects = !skipEffects;

    auto textPass = [&](int k) {
        if (!outline) {
            pass(textColor, k, k);
            return;
        }
        if (effects) {
            pass(outlineColor, k, k);
            pass(outlineColor, k + 2, k + 2);
            pass(outlineColor, k, k + 2);
            pass(outlineColor, k + 2, k);
        }
        pass(textColor, k + 1, k + 1);
    };

    switch (style) {
    case fstRaised:
        if (effects) {
            pass(highlightColor, 0, 0);
            pass(shadowColor, d, d);
        }
        textPass(1);
        break;
    case fstRecessed:
        if (effects) {
            pass(shadowColor, 0, 0);
            pass(highlightColor, d, d);
        }
        textPass(1);
        break;
    case fstPushed:
        pass(highlightColor, 1, 1);
        pass(shadowColor, 0, 0);
        break;
    case fstShadow:
        if (effects)
            pass(shadowColor, d + shadowDepth, d + shadowDepth);
        textPass(0);
        break;
    case fstVolumetric:
        if (effects)
            for (int i = 1; i <= shadowDepth; ++i)
                pass(shadowColor, i, i);
        textPass(0);
        break;
    case fstNone:
    default:
        textPass(0);
        break;
    }
}
