#pragma once

#include "ui/CustomControl.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBarLayout.h"

#include <memory>

class TTimer;

// A box whose controls scroll horizontally. With BorderStyle bsSingle it has a two-pixel
// sunken frame. When the controls reach beyond the client width (AutoScroll), a horizontal
// scroll bar shows along the bottom: the arrow buttons scroll by HorzScrollBar.Increment (and
// repeat while held: after 400 ms, then every 100 ms), a press on the track scrolls by a page,
// and the thumb can be dragged (the controls follow it with HorzScrollBar.Tracking, else they
// scroll at the release). Scrolling moves the controls (their Left changes), so that
// Left is always relative to what is shown. The controls' Left and Top count from the inside of
// the frame (a control at 0, 0 touches the frame), and they are clipped to the client area, so
// the frame and the bar stay clear of them. Scroll boxes take their parent's colour.
class TScrollBox : public TCustomControl {
public:
    VELTRANE_CLASS_INFO

    explicit TScrollBox(TComponent* owner);
    ~TScrollBox() override;

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value);
    TControlScrollBar* HorzScrollBar() const { return const_cast<TControlScrollBar*>(&FHorzScrollBar); }
    void SetHorzScrollBar(TControlScrollBar* value)
    {
        if (value)
            FHorzScrollBar.Assign(*value);
    }

    // Scroll state: the scrolled width (from the controls with AutoScroll), the visible width,
    // and how far the view is scrolled (0..Range - Page).
    int Range() const;
    int Page() const { return ClientWidth(); }
    int Position() const { return FPosition; }
    void SetPosition(int value);
    // Moves every control by dx, dy pixels.
    void ScrollBy(int dx, int dy);
    // Scrolls as little as needed to show control whole (as far as it fits).
    void ScrollInView(const TControl* control);
    bool ScrollBarShowing() const;

    // Inside the frame, above the scroll bar.
    TRect ClientRect() const override;
    TRect ChildClipRect() const override { return ClientRect(); }
    // The controls are placed from the inner corner of the frame.
    TPoint ChildOrigin() const override { return TPoint{BorderWidth(), BorderWidth()}; }
    TScrollBarLayout BarLayout() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resized() override;
    void Loaded() override;

private:
    int BorderWidth() const { return FBorderStyle == bsNone ? 0 : 2; }
    // The press on part acts again (arrows and track).
    void ActOnPart(TScrollBarLayout::TPart part);
    void RepeatTick();
    void StopRepeat();

    TBorderStyle FBorderStyle = bsSingle;
    bool FAutoScroll = true;
    TControlScrollBar FHorzScrollBar;
    int FPosition = 0;
    TScrollBarLayout::TPart FPressed = TScrollBarLayout::sbNone;
    TPoint FMousePos;
    int FDragOffset = 0;
    int FDragPosition = 0; // where the dragged thumb stands
    std::unique_ptr<TTimer> FRepeatTimer;
};
