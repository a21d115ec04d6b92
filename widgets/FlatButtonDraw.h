#pragma once

#include "widgets/FlatButtonImages.h"
#include "widgets/FlatButtonTypes.h"

#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"

#include <string>
#include <string_view>

// The drawing shared by the flat push and radio buttons, split into a plan (layout of
// image and caption, the auto-size fit) and the painting of the face from that plan.

// A caption without its accelerator markers. Of "&&" one '&' stays, a final '&'
// stays, and of several single '&' the last one marks the accelerator.
struct TAcceleratedText {
    std::string Text;
    int Accel = 0; // 1-based position in Text of the underlined letter; 0 for none
};
TAcceleratedText ParseAccelerator(std::string_view caption);

// The letter a caption underlines, or '\0' when it has none.
char AcceleratorOf(std::string_view caption);

// border + (total - 2 * border - size) / 2, the division truncating toward zero.
int CenterOffset(int total, int border, int size);

// Everything the face is drawn from.
struct TFlatButtonFace {
    const TFlatButtonImages* Images = nullptr; // not owned; none draws no image
    int GlyphIndex = -1;
    int Spacing = 4;
    TButtonLayout Layout = blGlyphLeft;
    std::string Caption;
    TFlatFocusStyle FocusStyle = ffsBorder;
    bool Focused = false;
    bool AutoSize = false;
    TFont Font;
    TColor Color = clBtnFace;
    TColor BorderColor = clBlack;
    TColor MarkColor = clBlack;
    TColor BlankColor = clWhite;
    TCheckBoxState State = cbUnchecked;
    TFlatButtonKind Kind = fbkPushButton;
    int Width = 75; // the control's size
    int Height = 25;
};

// Auto-sized controls never grow beyond this many pixels a side.
constexpr int MaxFlatButtonSide = 32767;

// Where the face puts its parts. A position of -1 means the part is not drawn.
struct TFlatButtonPlan {
    bool Resize = false; // auto-size wants the control at NewSize first; draw nothing now
    TSize NewSize;
    int Border = 0; // frame lines drawn (0, 1 or 2)
    int Margin = 0; // room auto-size keeps around the content
    TAcceleratedText Text;
    bool SplitCaption = false; // the accelerator is drawn underlined on its own
    TSize TextSize;            // W, H of the shown caption
    TSize GlyphSize;           // GW, GH of the image or the radio mark
    TPoint GlyphPos{-1, -1};
    TPoint TextPos{-1, -1};
};

// Lays out the face; measures text in face.Font.
TFlatButtonPlan PlanFlatButton(const TFlatButtonFace& face);

// Paints the face on canvas from (0, 0) to (face.Width, face.Height): fill, frame,
// image or radio mark, caption with its underlined accelerator, and the focus
// rectangle of a focused radio button. Draws nothing for a plan that wants a resize.
// The canvas is left as it was.
void PaintFlatButton(TCanvas& canvas, const TFlatButtonFace& face, const TFlatButtonPlan& plan);
