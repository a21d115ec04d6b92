#include "widgets/Label3D.h"

#include "widgets/RotatedText.h"

#include "classes/ClassRegistry.h"
#include "classes/Published.h"
#include "ui/ColorIdents.h"
#include "ui/CustomForm.h"

#include "gfx/Canvas.h"
#include "gfx/DrawText.h"

#include "platform/Shell.h"

#include <algorithm>

// Pen styles by name, for BorderPenStyle. Kept to this file so that it cannot clash with
// another declaration of the same names.
static const TEnumInfo& GetEnumInfo(TPenStyle)
{
    static const TEnumInfo info(
        "TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
    return info;
}

namespace {

// A border pen wider than this is drawn this wide: wider lines only cost time.
constexpr int MaxBorderPenWidth = 4096;

class TDrawingScope {
public:
    TDrawingScope(TCanvas*& slot, TCanvas& canvas) : FSlot(slot), FSaved(slot) { slot = &canvas; }
    ~TDrawingScope() { FSlot = FSaved; }
    TDrawingScope(const TDrawingScope&) = delete;
    TDrawingScope& operator=(const TDrawingScope&) = delete;

private:
    TCanvas*& FSlot;
    TCanvas* FSaved;
};

bool IsLink(TLabelStyle style)
{
    return style == lsWWWAddress || style == lsEMailAddress;
}

} // namespace

const TClassInfo& TLabel3D::StaticClass()
{
    using T = TLabel3D;
    static const TClassInfo info = MakeClass<T, TCustomLabel>(
        "TLabel3D",
        {
            Published<T>("BorderColor", &T::BorderColor, &T::SetBorderColor).NoDefault().Idents(ColorIdentToInt),
            Published<T>("BorderPenStyle", &T::BorderPenStyle, &T::SetBorderPenStyle).NoDefault(),
            Published<T>("BorderWidth", &T::BorderWidth, &T::SetBorderWidth).Default(1),
            Published<T>("Border", &T::Border, &T::SetBorder).NoDefault(),
            Published<T>("BorderType", &T::BorderType, &T::SetBorderType).NoDefault(),
            Published<T>("Escapement", &T::Escapement, &T::SetEscapement).NoDefault(),
            Published<T>("TextStyle", &T::TextStyle, &T::SetTextStyle).NoDefault(),
            Published<T>("LabelStyle", &T::LabelStyle, &T::SetLabelStyle).NoDefault(),
            Published<T>("Address", &T::Address, &T::SetAddress),
            Published<T>("EllipsesStyle", &T::EllipsesStyle, &T::SetEllipsesStyle).NoDefault(),
            Published<T>("Shift", &T::Shift, &T::SetShift).NoDefault(),
            Published<T>("Alignment", &T::Alignment, &T::SetAlignment).Default(taLeftJustify),
            Published<T>("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(true),
            Published<T>("FocusControl", &T::FocusControl, &T::SetFocusControl),
            Published<T>("Layout", &T::Layout, &T::SetLayout).Default(tlTop),
            Published<T>("ShowAccelChar", &T::ShowAccelChar, &T::SetShowAccelChar).Default(true),
            Published<T>("Transparent", &T::Transparent, &T::SetTransparent).Default(false),
            Published<T>("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(false),
            Published<T>("OnMouseExit", &T::FOnMouseExit, &T::FOnMouseExit),
        });
    return info;
}

TLabel3D::TLabel3D(TComponent* owner) : TCustomLabel(owner)
{
    Font().SetName("Arial");
}

// --- own properties ------------------------------------------------------------------------

void TLabel3D::SetBorderColor(TColor value)
{
    FBorderColor = value;
    FCanvasPen.SetColor(value);
    PaintNow();
}

void TLabel3D::SetBorderPenStyle(TPenStyle value)
{
    FBorderPenStyle = value;
    FCanvasPen.SetStyle(value);
    PaintNow();
}

void TLabel3D::SetBorderWidth(std::int32_t value)
{
    FBorderWidth = value;
    FCanvasPen.SetWidth(std::clamp(value, 0, MaxBorderPenWidth));
    PaintNow();
}

void TLabel3D::SetBorder(bool value)
{
    FBorder = value;
    PaintNow();
}

void TLabel3D::SetBorderType(TBorderType value)
{
    if (value == FBorderType)
        return;
    FBorderType = value;
    PaintNow();
}

void TLabel3D::SetEscapement(std::int32_t value)
{
    if (value == FEscapement)
        return;
    FEscapement = NormalizeEscapement(value);
    Invalidate();
}

void TLabel3D::SetTextStyle(TTextStyle value)
{
    if (value == FTextStyle)
        return;
    FTextStyle = value;
    Invalidate();
}

void TLabel3D::SetLabelStyle(TLabelStyle value)
{
    if (value != FLabelStyle)
        FLabelStyle = value;
}

void TLabel3D::SetEllipsesStyle(TEllipsesStyle value)
{
    if (value == FEllipsesStyle)
        return;
    if (value != esNone)
        SetAutoSize(false);
    FEllipsesStyle = value;
    Invalidate();
}

void TLabel3D::SetShift(std::int32_t value)
{
    if (value == FShift)
        return;
    FShift = value;
    PaintNow();
}

// --- painting ----------------------------------------------------------------------------

TLabel3DCaption TLabel3D::CaptionLook() const
{
    TLabel3DCaption look;
    look.Caption = Caption();
    look.Font = Font();
    look.Enabled = Enabled();
    look.ShowAccelChar = FShowAccelChar;
    look.TextStyle = FTextStyle;
    look.ShadowColor = FShadowColor;
    look.HighlightColor = FHighlightColor;
    look.Shift = FShift;
    look.Escapement = FEscapement;
    look.EllipsesStyle = FEllipsesStyle;
    if (FLayout == tlCenter)
        look.LayoutFlags = DT_VCENTER | DT_SINGLELINE;
    else if (FLayout == tlBottom)
        look.LayoutFlags = DT_BOTTOM | DT_SINGLELINE;
    return look;
}

void TLabel3D::DrawCaption(TRect& rect, std::uint32_t flags)
{
    if ((flags & DT_CALCRECT) != 0 && FEscapement != 0) {
        // Turned text is measured as its turned bounding box.
        std::string text = Caption();
        if (text.empty() || (FShowAccelChar && text == "&"))
            text += ' ';
        const TRotatedTextBox box = RotatedTextBox(FEscapement, TTextRenderer::TextExtent(Font(), text));
        rect.Right = rect.Left + box.Width;
        rect.Bottom = rect.Top + box.Height;
        return;
    }
    TCanvas& canvas = FDrawing ? *FDrawing : Canvas();
    DrawLabel3DCaption(
        canvas, rect, flags, CaptionLook(),
        [this](TCanvas& c, TRect r, const std::string& text, int angle) { DrawRotatedText(c, r, text, angle); });
}

void TLabel3D::DrawRotatedText(TCanvas& canvas, TRect rect, const std::string& text, int angle)
{
    PlaceRotatedText(rect, angle, text);
    DrawRotatedTextAt(canvas, rect.Left, rect.Top, text, angle);
}

void TLabel3D::PlaceRotatedText(TRect& rect, int angle, const std::string& text)
{
    const TRotatedTextBox box = RotatedTextBox(angle, TTextRenderer::TextExtent(Font(), text));
    rect.Top += box.DY;
    rect.Left += box.DX;
    if (FAutoSize) {
        SetBounds(Left(), Top(), box.Width, box.Height);
    } else if (FAlignment == taCenter) {
        rect.Left += (Width() - box.Width) / 2;
    } else if (FAlignment == taRightJustify) {
        rect.Left += Width() - box.Width;
    }
}

void TLabel3D::PaintOn(TCanvas& canvas)
{
    canvas.SetPen(FCanvasPen);
    if (!Transparent()) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(Color());
        canvas.FillRect(ClientRect());
    }
    canvas.Brush().SetStyle(bsClear);
    if (FBorder && FBorderWidth > 0)
        DrawLabel3DBorder(canvas, FBorderType, Width(), Height());
    FCanvasPen.Assign(canvas.Pen());

    TRect r = ClientRect();
    TDrawingScope drawing(FDrawing, canvas);
    DrawCaption(r, DrawFlags());
}

void TLabel3D::Paint()
{
    PaintOn(Canvas());
}

void TLabel3D::PaintNow()
{
    if (!Visible() || !Parent())
        return;
    TCustomForm* form = ParentForm();
    if (!form || !form->HandleAllocated())
        return;
    TCanvas& canvas = Canvas();
    TCanvasState keep(canvas);
    PaintOn(canvas);
}

// --- pointer and click -------------------------------------------------------------------

void TLabel3D::MouseEnter()
{
    if (IsLink(FLabelStyle)) {
        FSavedFontColor = Font().Color();
        Font().SetStyle(Font().Style() + fsUnderline);
        SetCursor(crHandPoint);
        // Let the underlined caption show before the colour changes.
        Update();
        Font().SetColor(FHoverColor);
    }
    TCustomLabel::MouseEnter();
}

void TLabel3D::MouseLeave()
{
    if (IsLink(FLabelStyle)) {
        SetCursor(crArrow);
        Font().SetStyle(Font().Style() - fsUnderline);
        Update();
        Font().SetColor(FSavedFontColor);
    }
    if (FOnMouseExit)
        FOnMouseExit(this);
    TCustomLabel::MouseLeave();
}

void TLabel3D::Click()
{
    if (IsLink(FLabelStyle) && !FAddress.empty()) {
        try {
            Update();
            OpenAddress(FLabelStyle == lsEMailAddress ? "mailto:" + FAddress : FAddress);
        } catch (...) {
            // A link that cannot be opened only opens nothing.
        }
    }
    TCustomLabel::Click();
}

void RegisterLabel3D(TClassRegistry& classes)
{
    classes.RegisterClass(TLabel3D::StaticClass());
}
