#include "ui/WinControl.h"

#include "classes/Published.h"
#include "ui/CustomForm.h"

#include "gfx/Canvas.h"

#include <algorithm>

const TClassInfo& TWinControl::StaticClass()
{
    using T = TWinControl;
    static const TClassInfo info =
        MakeClass<T, TControl>("TWinControl", {
                                                  Published<T>("TabOrder", &T::TabOrder, &T::SetTabOrder).Default(-1),
                                                  Published<T>("TabStop", &T::TabStop, &T::SetTabStop).Default(false),
                                                  Published<T>("OnEnter", &T::FOnEnter, &T::FOnEnter),
                                                  Published<T>("OnExit", &T::FOnExit, &T::FOnExit),
                                                  Published<T>("OnKeyDown", &T::FOnKeyDown, &T::FOnKeyDown),
                                                  Published<T>("OnKeyPress", &T::FOnKeyPress, &T::FOnKeyPress),
                                                  Published<T>("OnKeyUp", &T::FOnKeyUp, &T::FOnKeyUp),
                                              });
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    // Children outlive their parent only as owned components: they lose their parent here.
    while (!FControls.empty()) {
        TControl* child = FControls.back();
        if (TCustomForm* form = ParentForm())
            form->ControlRemoved(*child);
        DropControl(*child);
        child->FParent = nullptr;
    }
}

void TWinControl::AddControl(TControl& control)
{
    FControls.push_back(&control);
    if (auto* win = dynamic_cast<TWinControl*>(&control)) {
        FTabList.push_back(win);
        if (win->FPendingTabOrder >= 0) {
            const int pending = win->FPendingTabOrder;
            win->FPendingTabOrder = -1;
            win->FParent = this; // SetTabOrder works within the new parent's list
            win->SetTabOrder(pending);
            win->FParent = nullptr;
        }
    }
}

void TWinControl::DropControl(TControl& control)
{
    std::erase(FControls, &control);
    if (auto* win = dynamic_cast<TWinControl*>(&control))
        std::erase(FTabList, win);
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled) const
{
    if (!ChildClipRect().Contains(point))
        return nullptr;
    const TPoint origin = ChildOrigin();
    const TPoint inChildSpace{point.X - origin.X, point.Y - origin.Y};
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || (!allowDisabled && !c->Enabled()))
            continue;
        if (c->BoundsRect().Contains(inChildSpace))
            return c;
    }
    return nullptr;
}

TControl* TWinControl::FindControlAt(TPoint point)
{
    TControl* child = ControlAtPos(point);
    if (!child) {
        // A disabled child hides what lies beneath it; the parent gets the input.
        return this;
    }
    const TPoint origin = ChildOrigin();
    const TPoint inner{point.X - origin.X - child->Left(), point.Y - origin.Y - child->Top()};
    if (auto* win = dynamic_cast<TWinControl*>(child))
        return win->FindControlAt(inner);
    return child;
}

int TWinControl::TabOrder() const
{
    if (!FParent)
        return FPendingTabOrder;
    const auto& list = FParent->FTabList;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (!FParent) {
        FPendingTabOrder = value;
        return;
    }
    auto& list = FParent->FTabList;
    std::erase(list, this);
    const int count = static_cast<int>(list.size());
    const int index = value < 0 || value > count ? count : value;
    list.insert(list.begin() + index, this);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const
{
    std::vector<TWinControl*> result;
    for (TWinControl* child : FTabList) {
        result.push_back(child);
        const auto inner = child->TabOrderList();
        result.insert(result.end(), inner.begin(), inner.end());
    }
    return result;
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool sameParent) const
{
    const std::vector<TWinControl*> list = TabOrderList();
    if (list.empty())
        return nullptr;
    const int count = static_cast<int>(list.size());
    const auto found = std::find(list.begin(), list.end(), current);
    int start = found == list.end() ? (forward ? count - 1 : 0) : static_cast<int>(found - list.begin());
    int i = start;
    for (int step = 0; step < count; ++step) {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* c = list[static_cast<std::size_t>(i)];
        if (c == current)
            continue;
        if (checkTabStop && !c->TabStop())
            continue;
        if (sameParent && current && c->Parent() != current->Parent())
            continue;
        if (c->CanFocus())
            return c;
    }
    return nullptr;
}

bool TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop)
{
    TWinControl* next = FindNextControl(current, forward, checkTabStop, !checkTabStop);
    if (!next)
        return false;
    next->SetFocus();
    return true;
}

bool TWinControl::CanFocus() const
{
    TCustomForm* form = ParentForm();
    if (!form)
        return false;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() && c != form)
            return false;
    return EnabledInTree();
}

bool TWinControl::Focused() const
{
    TCustomForm* form = ParentForm();
    return form && form->ActiveControl() == this;
}

void TWinControl::SetFocus()
{
    TCustomForm* form = ParentForm();
    if (!form)
        return;
    if (form == this) {
        form->SetActiveControl(nullptr);
        return;
    }
    form->SetActiveControl(this);
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    TControl::SetBounds(left, top, width, height);
}

void TWinControl::EraseBackground()
{
    if (FControlStyle.Contains(csOpaque))
        return;
    TCanvas& canvas = *FCanvas;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(FColor);
    canvas.FillRect(ClientRect());
}

void TWinControl::NotifyChildrenFont()
{
    const std::vector<TControl*> children = FControls;
    for (TControl* child : children)
        child->ParentFontChanged();
}

void TWinControl::NotifyChildrenColor()
{
    const std::vector<TControl*> children = FControls;
    for (TControl* child : children)
        child->ParentColorChanged();
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    NotifyChildrenFont();
}

void TWinControl::ColorChanged()
{
    TControl::ColorChanged();
    NotifyChildrenColor();
}

void TWinControl::VisibleChanged()
{
    TControl::VisibleChanged();
}

void TWinControl::EnabledChanged()
{
    TControl::EnabledChanged();
    if (!FEnabled)
        if (TCustomForm* form = ParentForm(); form && form != this && ContainsControl(form->ActiveControl()))
            form->ControlRemoved(*this);
}
