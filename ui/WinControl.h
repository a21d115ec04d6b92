#pragma once

#include "ui/Control.h"

#include <vector>

// A control that can hold other controls, take the keyboard focus and have a tab order.
// It has no native window of its own: it is drawn into its form's back buffer like every
// control (see Control.h).
class TWinControl : public TControl {
public:
    VELTRANE_CLASS_INFO

    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // Children in z-order: index 0 lies at the bottom, the last one on top.
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(static_cast<std::size_t>(index)); }
    bool ContainsControl(const TControl* control) const;
    // The topmost visible direct child at point (client coordinates) that is enabled (or any,
    // with allowDisabled); null when none.
    TControl* ControlAtPos(TPoint point, bool allowDisabled = false) const;
    // The innermost visible and enabled control at point (client coordinates): a child, a child's
    // child, ... or this control itself when no child is there.
    TControl* FindControlAt(TPoint point);
    // The part of the control (client coordinates) its children are drawn and found in: the
    // whole control unless a class keeps a frame or scroll bar of its own free of them.
    virtual TRect ChildClipRect() const { return Rect(0, 0, FWidth, FHeight); }
    // Where the children's Left and Top are counted from, in this control's own coordinates:
    // its top-left corner unless a class places its children inside a frame of its own.
    virtual TPoint ChildOrigin() const { return TPoint{}; }

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value) { FTabStop = value; }
    // The windowed children in tab order.
    const std::vector<TWinControl*>& TabList() const { return FTabList; }
    // Every windowed control below this one in tab order, depth first.
    std::vector<TWinControl*> TabOrderList() const;
    // The control after (or before) current in TabOrderList, wrapping around, that can take the
    // focus, is a tab stop (checkTabStop) and has current's parent (sameParent); null when none.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool sameParent) const;
    // Moves the focus to the next such control; false when none was found.
    bool SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    // Visible and enabled up to a visible form.
    bool CanFocus() const override;
    // The control is its form's active control.
    bool Focused() const override;
    // Makes the control its form's active control (and the form's window focused, when shown).
    void SetFocus();

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void EraseBackground() override;
    void FontChanged() override;
    void ColorChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;

    bool FTabStop = false;

private:
    friend class TControl;
    void AddControl(TControl& control);
    void DropControl(TControl& control);
    void NotifyChildrenFont();
    void NotifyChildrenColor();

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    int FPendingTabOrder = -1; // TabOrder given while without parent
};
