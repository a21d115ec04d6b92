#include "ui/ScrollBox.h"

#include "classes/Published.h"
#include "ui/CustomForm.h"
#include "ui/ShapeEdges.h"
#include "ui/Timer.h"

#include "gfx/Canvas.h"

#include <algorithm>
#include <climits>

const TClassInfo& TScrollBox::StaticClass()
{
    using T = TScrollBox;
    static const TClassInfo info = MakeClass<T, TCustomControl>(
        "TScrollBox", {
                          Published<T>("AutoScroll", &T::AutoScroll, &T::SetAutoScroll).Default(true),
                          Published<T>("BorderStyle", &T::BorderStyle, &T::SetBorderStyle).Default(bsSingle),
                          Published<T>("HorzScrollBar", &T::HorzScrollBar, &T::SetHorzScrollBar),
                      });
    return info;
}

TScrollBox::TScrollBox(TComponent* owner) : TCustomControl(owner)
{
    FControlStyle =
        TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csOpaque};
    FWidth = 185;
    FHeight = 41;
    FParentColor = true;
    FHorzScrollBar.OnChange = [this] {
        SetPosition(FPosition);
        Invalidate();
    };
    FHorzScrollBar.FGetPosition = [this] { return FPosition; };
    FHorzScrollBar.FSetPosition = [this](int value) { SetPosition(value); };
    FHorzScrollBar.FGetRange = [this] { return Range(); };
}

TScrollBox::~TScrollBox() = default;

void TScrollBox::SetBorderStyle(TBorderStyle value)
{
    if (value != bsNone)
        value = bsSingle;
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    // The controls count from inside the frame: they move with it.
    if (TCustomForm* form = ParentForm())
        form->GeometryChangedBelow();
    Invalidate();
}

void TScrollBox::SetAutoScroll(bool value)
{
    if (value == FAutoScroll)
        return;
    FAutoScroll = value;
    SetPosition(FPosition);
    Invalidate();
}

int TScrollBox::Range() const
{
    if (!FAutoScroll)
        return FHorzScrollBar.FixedRange();
    // 64-bit sums: controls placed far out must not wrap the range around.
    long long right = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (c->Visible())
            right = std::max(right, static_cast<long long>(c->Left()) + c->Width() + FPosition);
    }
    return static_cast<int>(std::min<long long>(right, INT_MAX / 2));
}

bool TScrollBox::ScrollBarShowing() const
{
    if (!FHorzScrollBar.Visible())
        return false;
    const int b = BorderWidth();
    return Range() > FWidth - 2 * b;
}

TRect TScrollBox::ClientRect() const
{
    const int b = BorderWidth();
    int bottom = FHeight - b;
    if (ScrollBarShowing())
        bottom -= TScrollBarLayout::DefaultSize;
    TRect r = Rect(b, b, std::max(b, FWidth - b), std::max(b, bottom));
    return r;
}

TScrollBarLayout TScrollBox::BarLayout() const
{
    if (!ScrollBarShowing())
        return TScrollBarLayout{};
    const int b = BorderWidth();
    const int top = std::max(b, FHeight - b - TScrollBarLayout::DefaultSize);
    const int shown = FPressed == TScrollBarLayout::sbThumb ? FDragPosition : FPosition;
    return TScrollBarLayout::Horizontal(Rect(b, top, FWidth - b, FHeight - b), Range(), Page(), shown);
}

void TScrollBox::SetPosition(int value)
{
    const int maxPos = std::max(0, Range() - Page());
    value = std::clamp(value, 0, maxPos);
    if (value == FPosition)
        return;
    const int delta = FPosition - value;
    FPosition = value;
    ScrollBy(delta, 0);
}

void TScrollBox::ScrollBy(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        const auto moved = [](int value, int delta) {
            return static_cast<int>(std::clamp<long long>(static_cast<long long>(value) + delta, INT_MIN, INT_MAX));
        };
        c->SetBounds(moved(c->Left(), dx), moved(c->Top(), dy), c->Width(), c->Height());
    }
    Invalidate();
}

void TScrollBox::ScrollInView(const TControl* control)
{
    if (!control || control->Parent() != this)
        return;
    // In the controls' coordinates the client area runs from 0 to ClientWidth.
    const int right = ClientWidth();
    if (control->Left() < 0)
        SetPosition(FPosition + control->Left());
    else if (control->Left() + control->Width() > right)
        SetPosition(FPosition + std::min(control->Left() + control->Width() - right, control->Left()));
}

void TScrollBox::Paint()
{
    TCanvas& canvas = Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(FColor);
    canvas.FillRect(Rect(0, 0, FWidth, FHeight));
    if (FBorderStyle != bsNone)
        DrawSunkenEdge(canvas, Rect(0, 0, FWidth, FHeight));
    const TScrollBarLayout layout = BarLayout();
    if (!layout.Bar.IsEmpty())
        DrawHorizontalScrollBar(canvas, layout, FPressed);
}

void TScrollBox::ActOnPart(TScrollBarLayout::TPart part)
{
    switch (part) {
    case TScrollBarLayout::sbLeftArrow:
        SetPosition(FPosition - FHorzScrollBar.Increment());
        break;
    case TScrollBarLayout::sbRightArrow:
        SetPosition(FPosition + FHorzScrollBar.Increment());
        break;
    case TScrollBarLayout::sbPageLeft:
        SetPosition(FPosition - std::max(1, Page()));
        break;
    case TScrollBarLayout::sbPageRight:
        SetPosition(FPosition + std::max(1, Page()));
        break;
    default:
        break;
    }
}

void TScrollBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    const TScrollBarLayout layout = BarLayout();
    const TScrollBarLayout::TPart part = layout.HitTest(TPoint{x, y});
    if (part == TScrollBarLayout::sbNone)
        return;
    FPressed = part;
    FMousePos = TPoint{x, y};
    if (part == TScrollBarLayout::sbThumb) {
        FDragOffset = x - layout.Thumb.Left;
        FDragPosition = FPosition;
    } else {
        ActOnPart(part);
        if (!FRepeatTimer)
            FRepeatTimer = std::make_unique<TTimer>(nullptr);
        FRepeatTimer->SetOnTimer([this](TObject*) { RepeatTick(); });
        FRepeatTimer->SetInterval(400);
        FRepeatTimer->SetEnabled(true);
    }
    Invalidate();
}

void TScrollBox::RepeatTick()
{
    if (!FRepeatTimer)
        return;
    FRepeatTimer->SetInterval(100);
    // Only while the pointer stays on the pressed part (for the track: on its side of the thumb).
    if (BarLayout().HitTest(FMousePos) == FPressed)
        ActOnPart(FPressed);
}

void TScrollBox::StopRepeat()
{
    if (FRepeatTimer)
        FRepeatTimer->SetEnabled(false);
}

void TScrollBox::MouseMove(TShiftState shift, int x, int y)
{
    TCustomControl::MouseMove(shift, x, y);
    FMousePos = TPoint{x, y};
    if (FPressed == TScrollBarLayout::sbThumb) {
        // With Tracking the controls follow the thumb; without, only the thumb moves until the
        // release.
        const TScrollBarLayout layout = BarLayout();
        const int position =
            std::clamp(layout.PositionForThumb(x - FDragOffset, Range(), Page()), 0, std::max(0, Range() - Page()));
        if (position != FDragPosition) {
            FDragPosition = position;
            if (FHorzScrollBar.Tracking())
                SetPosition(position);
            Invalidate();
        }
    }
}

void TScrollBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || FPressed == TScrollBarLayout::sbNone)
        return;
    const bool thumb = FPressed == TScrollBarLayout::sbThumb;
    FPressed = TScrollBarLayout::sbNone;
    if (thumb)
        SetPosition(FDragPosition);
    StopRepeat();
    Invalidate();
}

void TScrollBox::Resized()
{
    TCustomControl::Resized();
    SetPosition(FPosition);
    Invalidate();
}

void TScrollBox::Loaded()
{
    TCustomControl::Loaded();
    SetPosition(FPosition);
}
