#include "widgets/CustomTransCanvas.h"

#include "classes/Published.h"
#include "ui/CustomForm.h"

#include "gfx/Canvas.h"

#include <algorithm>

const TClassInfo& TCustomTransCanvas::StaticClass()
{
    static const TClassInfo info = MakeClass<TCustomTransCanvas, TGraphicControl>("TCustomTransCanvas", {});
    return info;
}

TCustomTransCanvas::TCustomTransCanvas(TComponent* owner)
    : TGraphicControl(owner), FCapture(0, 0, TPixelFormat::pf24bit)
{
    SetBounds(Left(), Top(), 50, 50);
}

TCustomTransCanvas::~TCustomTransCanvas() = default;

void TCustomTransCanvas::SetCanvasType(TCanvasType value)
{
    SetAndInvalidate(FCanvasType, value);
}
void TCustomTransCanvas::SetTransType(TTransType value)
{
    SetAndInvalidate(FTransType, value);
}
void TCustomTransCanvas::SetTransFade(TTransFade value)
{
    SetAndInvalidate(FTransFade, value);
}
void TCustomTransCanvas::SetInverse(bool value)
{
    SetAndInvalidate(FInverse, value);
}

void TCustomTransCanvas::SetTransPercent(int value)
{
    if (value == FTransPercent || value < 0 || value > 100)
        return;
    FTransPercent = value;
    if (FTransType == ttNone || FTransType == ttAlpha || FTransType == ttRed || FTransType == ttGreen ||
        FTransType == ttBlue)
        Compose();
}

void TCustomTransCanvas::SetTransMinCutoff(int value)
{
    if (value == FTransMinCutoff || value < 0 || value > 100)
        return;
    FTransMinCutoff = value;
    if (FTransType == ttAlpha || FTransType == ttRed || FTransType == ttGreen || FTransType == ttBlue)
        Compose();
}

void TCustomTransCanvas::SetTransMaxCutoff(int value)
{
    if (value == FTransMaxCutoff || value < 0 || value > 100)
        return;
    FTransMaxCutoff = value;
    if (FTransType == ttAlpha || FTransType == ttRed || FTransType == ttGreen || FTransType == ttBlue)
        Compose();
}

void TCustomTransCanvas::SetTransKeyColor(TColor value)
{
    if (value == FTransKeyColor)
        return;
    FTransKeyColor = value;
    if (FTransType == ttKey)
        Compose();
}

void TCustomTransCanvas::SetTransBiasPercent(int value)
{
    if (value == FTransBiasPercent)
        return;
    FTransBiasPercent = value;
    FTransBias = value / 100.0;
    Compose();
}

void TCustomTransCanvas::SetScreenBiasPercent(int value)
{
    if (value == FScreenBiasPercent)
        return;
    FScreenBiasPercent = value;
    FScreenBias = value / 100.0;
    Compose();
}

TTransBlendSettings TCustomTransCanvas::BlendSettings()
{
    TTransBlendSettings s;
    s.CanvasType = FCanvasType;
    s.TransType = FTransType;
    s.TransPercent = FTransPercent;
    s.TransMinCutoff = FTransMinCutoff;
    s.TransMaxCutoff = FTransMaxCutoff;
    s.TransKeyColor = FTransKeyColor;
    s.ScreenBias = FScreenBias;
    s.TransFade = FTransFade;
    s.Inverse = FInverse;
    s.Geometry.Width = Width();
    s.Geometry.Height = Height();
    s.Geometry.Bias = FTransBias;
    s.Geometry.RoundButtonWidth = FTransFade == tfRoundButton ? Canvas().Pen().Width() : 1;
    return s;
}

int TCustomTransCanvas::ApplyFade(int x, int y, int percent)
{
    TFadeGeometry g;
    g.Width = Width();
    g.Height = Height();
    g.Bias = FTransBias;
    g.RoundButtonWidth = FTransFade == tfRoundButton ? Canvas().Pen().Width() : 1;
    return ::ApplyFade(FTransFade, x, y, percent, g);
}

TSize TCustomTransCanvas::ExtentInParent() const
{
    int cx = Width(), cy = Height();
    if (const TWinControl* parent = Parent()) {
        cx = std::min(cx, parent->Width() - Left());
        cy = std::min(cy, parent->Height() - Top());
    }
    return TSize{std::max(cx, 0), std::max(cy, 0)};
}

void TCustomTransCanvas::CaptureBackground()
{
    if (FCapture.Width() != Width() || FCapture.Height() != Height()) {
        FCapture.SetSize(Width(), Height());
        FCapture.Fill(clWhite);
    }
    TCustomForm* form = ParentForm();
    if (!form || FCapture.Empty())
        return;
    const TSize extent = ExtentInParent();
    const TPoint origin = FormOrigin();
    // The form's back buffer holds what the parent and the controls beneath painted.
    FCapture.Canvas().BitBlt(0, 0, extent.cx, extent.cy, form->BackBuffer(), origin.X, origin.Y, SRCCOPY);
}

void TCustomTransCanvas::Compose()
{
    const int w = Width(), h = Height();
    // A control that cannot be seen has nothing to draw on (a hidden one must not paint over
    // what lies where it would be).
    if (w <= 0 || h <= 0 || !Showing())
        return;
    TBitmap drawing(w, h, TPixelFormat::pf24bit);
    drawing.Fill(clWhite);
    TBitmap output(w, h, TPixelFormat::pf24bit);
    output.Fill(clWhite);
    DrawContent(drawing.Canvas());

    const TSize extent = ExtentInParent();
    const int blendW = std::min(FCapture.Width(), extent.cx);
    const int blendH = std::min(FCapture.Height(), extent.cy);
    TTransCalc calc;
    if (FOnCalc && FUseCalcEvent)
        calc = [this](TRGB fore, TRGB back, TRGB& merge, int x, int y) { FOnCalc(this, fore, back, merge, x, y); };
    BlendTranslucent(BlendSettings(), drawing, FCapture, output, blendW, blendH, calc);
    Canvas().Draw(0, 0, output);
}

void TCustomTransCanvas::DrawContent(TCanvas& canvas)
{
    if (FTransType == ttNone)
        canvas.Draw(0, 0, FCapture);
    if (FOnPaint)
        FOnPaint(this, canvas);
}

void TCustomTransCanvas::Paint()
{
    CaptureBackground();
    Compose();
    if (ComponentState().Contains(csDesigning)) {
        TCanvas& canvas = Canvas();
        TCanvasState keep(canvas);
        canvas.Pen().SetStyle(psDash);
        canvas.Brush().SetStyle(bsClear);
        canvas.Rectangle(0, 0, Width(), Height());
    }
}
