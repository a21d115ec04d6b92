#include "ui/GroupBox.h"

#include "classes/Published.h"
#include "ui/ButtonControl.h"
#include "ui/ShapeEdges.h"

#include "gfx/Canvas.h"
#include "gfx/DrawText.h"

const TClassInfo& TGroupBox::StaticClass()
{
    static const TClassInfo info = MakeClass<TGroupBox, TCustomControl>("TGroupBox", {});
    return info;
}

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner)
{
    FControlStyle =
        TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable};
    FWidth = 185;
    FHeight = 105;
    FParentColor = true;
}

TRect TGroupBox::CaptionRect()
{
    if (Caption().empty())
        return TRect{};
    TCanvas& canvas = Canvas();
    TCanvasState state(canvas);
    canvas.SetFont(Font());
    const int h = canvas.TextHeight("0");
    TRect r = Rect(8, 0, 8, h);
    canvas.DrawText(Caption(), r, DT_SINGLELINE | DT_CALCRECT);
    return r;
}

void TGroupBox::Paint()
{
    TCanvas& canvas = Canvas();
    canvas.SetFont(Font());
    const int h = canvas.TextHeight("0");
    DrawEtchedFrame(canvas, Rect(0, h / 2 - 1, FWidth, FHeight));
    if (Caption().empty())
        return;
    TRect r = Rect(8, 0, 8, h);
    canvas.DrawText(Caption(), r, DT_SINGLELINE | DT_CALCRECT);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(FColor);
    canvas.SetFont(Font());
    if (!EnabledInTree())
        canvas.SetTextColor(clGrayText);
    canvas.FillRect(r);
    canvas.SetBkMode(bmTransparent);
    canvas.DrawText(Caption(), r, DT_SINGLELINE);
}

bool TGroupBox::DialogChar(char ch)
{
    if (!IsAccel(ch, Caption()) || !CanFocus())
        return false;
    for (TWinControl* control : TabOrderList()) {
        if (control->TabStop() && control->CanFocus()) {
            control->SetFocus();
            return true;
        }
    }
    return false;
}
