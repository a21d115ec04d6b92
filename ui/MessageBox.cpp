#include "ui/MessageBox.h"

#include "classes/Published.h"
#include "ui/Application.h"

#include "gfx/Canvas.h"
#include "gfx/DrawText.h"
#include "platform/DefaultDisplay.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int MaxTextWidth = 420;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;
constexpr std::uint32_t TextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_LEFT;

} // namespace

int MessageBox(std::string_view text, std::string_view caption, std::uint32_t flags)
{
    std::string out(text);
    if (out.empty() || out.back() != '\n')
        out += '\n';
    std::fwrite(out.data(), 1, out.size(), stderr);
    std::fflush(stderr);

    TApplication* app = Application();
    if (!app || app->Display().ConnectionLost())
        return IDOK;
    auto box = std::make_unique<TMessageBoxForm>(nullptr, std::string(text), std::string(caption), flags);
    box->ShowModal();
    return IDOK;
}

void ShowMessageBoxWindow(std::string_view text, std::string_view caption, std::uint32_t flags)
{
    if (TApplication* app = Application()) {
        if (app->Display().ConnectionLost())
            return;
        auto box = std::make_unique<TMessageBoxForm>(nullptr, std::string(text), std::string(caption), flags);
        box->ShowModal();
        return;
    }
    std::unique_ptr<TDisplay> display = OpenDefaultDisplay();
    if (!display)
        return;
    TApplication boxApplication(*display);
    auto box = std::make_unique<TMessageBoxForm>(nullptr, std::string(text), std::string(caption), flags);
    box->ShowModal();
}

void DrawErrorIcon(TCanvas& canvas, const TRect& rect)
{
    TCanvasState state(canvas);
    canvas.Pen().SetColor(clMaroon);
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clRed);
    canvas.Ellipse(rect);
    const int inset = rect.Width() * 5 / 16;
    canvas.Pen().SetColor(clWhite);
    canvas.Pen().SetWidth(3);
    canvas.MoveTo(rect.Left + inset, rect.Top + inset);
    canvas.LineTo(rect.Right - inset, rect.Bottom - inset);
    canvas.MoveTo(rect.Right - inset - 1, rect.Top + inset);
    canvas.LineTo(rect.Left + inset - 1, rect.Bottom - inset);
}

// --- the button -----------------------------------------------------------------------------

const TClassInfo& TMessageBoxButton::StaticClass()
{
    static const TClassInfo info = MakeClass<TMessageBoxButton, TButtonControl>("TMessageBoxButton", {});
    return info;
}

TMessageBoxButton::TMessageBoxButton(TComponent* owner) : TButtonControl(owner)
{
    FWidth = ButtonWidth;
    FHeight = ButtonHeight;
}

void TMessageBoxButton::Paint()
{
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(r);
    // The default button's black frame, then a raised (or, pushed, sunken) edge.
    canvas.Brush().SetColor(clBlack);
    canvas.FrameRect(r);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    const bool pushed = Pushed();
    const TColor light = pushed ? clBtnShadow : clBtnHighlight;
    const TColor dark = pushed ? clBtnShadow : cl3DDkShadow;
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(light);
    canvas.MoveTo(r.Left, r.Bottom - 1);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Right - 1, r.Top);
    canvas.Pen().SetColor(dark);
    canvas.MoveTo(r.Right - 1, r.Top);
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.LineTo(r.Left - 1, r.Bottom - 1);
    TRect text = r;
    if (pushed)
        text = Rect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
    canvas.Brush().SetStyle(bsClear);
    canvas.SetFont(Font());
    canvas.DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused()) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clBtnFace);
        canvas.DrawFocusRect(Rect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3));
    }
}

void TMessageBoxButton::Click()
{
    if (TCustomForm* form = ParentForm())
        form->SetModalResult(mrOk);
    TButtonControl::Click();
}

bool TMessageBoxButton::DialogKey(std::uint16_t key, TShiftState /*shift*/)
{
    if (key != vkReturn && key != vkEscape)
        return false;
    Click();
    return true;
}

bool TMessageBoxButton::DialogChar(char ch)
{
    if (!IsAccel(ch, Caption()))
        return false;
    Click();
    return true;
}

void TMessageBoxButton::FocusOut()
{
    TButtonControl::FocusOut();
    Invalidate();
}

void TMessageBoxButton::MouseEnter()
{
    TButtonControl::MouseEnter();
    Invalidate();
}

void TMessageBoxButton::MouseLeave()
{
    TButtonControl::MouseLeave();
    Invalidate();
}

// --- the box --------------------------------------------------------------------------------

const TClassInfo& TMessageBoxForm::StaticClass()
{
    static const TClassInfo info = MakeClass<TMessageBoxForm, TForm>("TMessageBoxForm", {});
    return info;
}

TMessageBoxForm::TMessageBoxForm(TComponent* owner, std::string text, std::string caption, std::uint32_t flags)
    : TForm(owner), FText(std::move(text)), FFlags(flags)
{
    SetCaption(caption);
    FBorderStyle = bsDialog;
    FPosition = poScreenCenter;
    FFormStyle = fsStayOnTop; // above a full-screen top-most form too

    TBitmap measure(1, 1);
    TCanvas& canvas = measure.Canvas();
    canvas.SetFont(Font());
    TRect textSize = Rect(0, 0, MaxTextWidth, 0);
    canvas.DrawText(FText, textSize, TextFormat | DT_CALCRECT);

    const bool icon = (FFlags & MB_ICONMASK) != 0;
    const int textLeft = icon ? Margin + IconSize + Margin : Margin;
    const int contentHeight = std::max(textSize.Height(), icon ? IconSize : 0);
    const int textTop = Margin + (contentHeight - textSize.Height()) / 2;
    FTextRect = Bounds(textLeft, textTop, textSize.Width(), textSize.Height());
    const int buttonTop = Margin + contentHeight + Margin;
    const int width = std::max(textLeft + textSize.Width() + Margin, ButtonWidth + 2 * Margin);
    const int height = buttonTop + ButtonHeight + Margin;
    SetBounds(0, 0, width, height);

    FButton = &CreateComponent<TMessageBoxButton>();
    FButton->SetName("btnOK");
    FButton->SetCaption("OK");
    FButton->SetParent(this);
    FButton->SetBounds((width - ButtonWidth) / 2, buttonTop, ButtonWidth, ButtonHeight);
}

void TMessageBoxForm::Paint()
{
    TCanvas& canvas = Canvas();
    if ((FFlags & MB_ICONMASK) != 0)
        DrawErrorIcon(canvas, IconRect());
    canvas.Brush().SetStyle(bsClear);
    canvas.SetFont(Font());
    TRect r = FTextRect;
    canvas.DrawText(FText, r, TextFormat);
}
