#include "ui/CustomEdit.h"

#include "classes/Published.h"
#include "ui/Application.h"
#include "ui/CustomForm.h"
#include "ui/ShapeEdges.h"

#include "gfx/Canvas.h"
#include "platform/ScopeGuard.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr char chSelectAll = 1;
constexpr char chCopy = 3;
constexpr char chBackspace = 8;
constexpr char chPaste = 22;
constexpr char chCut = 24;
constexpr char chUndo = 26;

bool IsWordChar(char c)
{
    return c != ' ' && c != '\t';
}

} // namespace

const TClassInfo& TCustomEdit::StaticClass()
{
    static const TClassInfo info = MakeClass<TCustomEdit, TCustomControl>("TCustomEdit", {});
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TCustomControl(owner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csOpaque};
    FWidth = 121;
    FHeight = 25;
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
    FCursor = crIBeam;
}

// --- properties --------------------------------------------------------------------------

void TCustomEdit::SetMaxLength(int value)
{
    FMaxLength = std::max(value, 0);
}

void TCustomEdit::SetReadOnly(bool value)
{
    if (value == FReadOnly)
        return;
    FReadOnly = value;
    Invalidate();
}

void TCustomEdit::SetAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    AdjustHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value)
{
    if (value != bsNone)
        value = bsSingle;
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    AdjustHeight();
    Invalidate();
}

void TCustomEdit::SetCtl3D(bool value)
{
    if (value == FCtl3D)
        return;
    FCtl3D = value;
    Invalidate();
}

void TCustomEdit::SetHideSelection(bool value)
{
    if (value == FHideSelection)
        return;
    FHideSelection = value;
    Invalidate();
}

void TCustomEdit::AdjustHeight()
{
    if (!FAutoSize || ComponentState().Contains(csLoading) || ComponentState().Contains(csReading))
        return;
    TCanvas& canvas = Canvas();
    TCanvasState state(canvas);
    canvas.SetFont(Font());
    const int extra = FBorderStyle == bsNone ? 2 : (FCtl3D ? 8 : 6);
    SetHeight(canvas.GetTextMetrics().tmHeight + extra);
}

void TCustomEdit::FontChanged()
{
    TCustomControl::FontChanged();
    AdjustHeight();
}

void TCustomEdit::Loaded()
{
    TCustomControl::Loaded();
    AdjustHeight();
    FModified = false;
}

// --- selection -----------------------------------------------------------------------------

int TCustomEdit::SelStart() const
{
    return std::min(FAnchor, FCaret);
}
int TCustomEdit::SelLength() const
{
    return std::abs(FCaret - FAnchor);
}

std::string TCustomEdit::SelText() const
{
    return Text().substr(static_cast<std::size_t>(SelStart()), static_cast<std::size_t>(SelLength()));
}

void TCustomEdit::Select(int anchor, int caret)
{
    const int n = static_cast<int>(Text().size());
    FAnchor = std::clamp(anchor, 0, n);
    FCaret = std::clamp(caret, 0, n);
    ScrollToCaret();
    Invalidate();
}

void TCustomEdit::SetSelStart(int value)
{
    Select(value, value);
}
void TCustomEdit::SetSelLength(int value)
{
    Select(SelStart(), SelStart() + std::max(value, 0));
}
void TCustomEdit::SelectAll()
{
    Select(0, static_cast<int>(Text().size()));
}

void TCustomEdit::ClearSelection()
{
    if (FReadOnly || SelLength() == 0)
        return;
    ReplaceSelection("");
}

void TCustomEdit::MoveCaret(int caret, bool extend)
{
    if (extend)
        Select(FAnchor, caret);
    else
        Select(caret, caret);
}

int TCustomEdit::WordLeft(int from) const
{
    const std::string& t = Text();
    int i = from;
    while (i > 0 && !IsWordChar(t[static_cast<std::size_t>(i - 1)]))
        --i;
    while (i > 0 && IsWordChar(t[static_cast<std::size_t>(i - 1)]))
        --i;
    return i;
}

int TCustomEdit::WordRight(int from) const
{
    const std::string& t = Text();
    const int n = static_cast<int>(t.size());
    int i = from;
    while (i < n && IsWordChar(t[static_cast<std::size_t>(i)]))
        ++i;
    while (i < n && !IsWordChar(t[static_cast<std::size_t>(i)]))
        ++i;
    return i;
}

// --- text changes ------------------------------------------------------------------------------

void TCustomEdit::Change()
{
    if (FOnChange)
        FOnChange(this);
}

void TCustomEdit::TextChanged()
{
    if (!FInternalChange) {
        // Written by code: the caret goes to the start, nothing is selected.
        FAnchor = FCaret = 0;
        FScrollX = 0;
        FModified = false;
        FCanUndo = false;
    }
    Invalidate();
    Change();
}

void TCustomEdit::SetTextKeepCaret(std::string text, int caret)
{
    FInternalChange = true;
    const TScopeGuard done([this] { FInternalChange = false; });
    FAnchor = FCaret = caret;
    SetText(text);
}

bool TCustomEdit::ReplaceSelection(std::string_view text)
{
    const std::size_t cut = text.find_first_of("\r\n");
    if (cut != std::string_view::npos)
        text = text.substr(0, cut);
    const std::string& current = Text();
    const int start = SelStart();
    const int length = SelLength();
    if (FMaxLength > 0) {
        const int room = FMaxLength - (static_cast<int>(current.size()) - length);
        if (room < static_cast<int>(text.size())) {
            if (room <= 0 && !text.empty()) {
                Beep();
                return false;
            }
            text = text.substr(0, static_cast<std::size_t>(std::max(room, 0)));
        }
    }
    if (length == 0 && text.empty())
        return false;
    FUndoText = current;
    FUndoCaret = FCaret;
    FCanUndo = true;
    std::string result = current.substr(0, static_cast<std::size_t>(start));
    result += text;
    result += current.substr(static_cast<std::size_t>(start + length));
    FModified = true;
    SetTextKeepCaret(std::move(result), start + static_cast<int>(text.size()));
    ScrollToCaret();
    return true;
}

void TCustomEdit::Undo()
{
    if (!FCanUndo || FReadOnly)
        return;
    // The undone change can itself be undone, as with the platform's edit.
    std::string previous = FUndoText;
    const int caret = std::min(FUndoCaret, static_cast<int>(previous.size()));
    FUndoText = Text();
    FUndoCaret = FCaret;
    FModified = true;
    SetTextKeepCaret(std::move(previous), caret);
    FCanUndo = true;
    ScrollToCaret();
}

void TCustomEdit::Beep()
{
    if (TApplication* app = Application())
        app->Display().Beep();
}

// --- clipboard -------------------------------------------------------------------------------------

void TCustomEdit::CopyToClipboard()
{
    if (SelLength() == 0)
        return;
    if (TApplication* app = Application())
        app->Display().SetClipboardText(SelText());
}

void TCustomEdit::HandleCut()
{
    if (FReadOnly || SelLength() == 0)
        return;
    CopyToClipboard();
    ReplaceSelection("");
}

void TCustomEdit::HandlePaste()
{
    if (FReadOnly)
        return;
    TApplication* app = Application();
    if (!app)
        return;
    const std::optional<std::string> text = app->Display().GetClipboardText();
    if (text)
        ReplaceSelection(*text);
}

// --- keyboard ----------------------------------------------------------------------------------------

bool TCustomEdit::WantsKey(std::uint16_t key, TShiftState) const
{
    return key == vkLeft || key == vkRight || key == vkUp || key == vkDown;
}

void TCustomEdit::KeyDown(std::uint16_t& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    if (key == 0)
        return;
    const bool extend = (shift & ssShift) != 0;
    const bool ctrl = (shift & ssCtrl) != 0;
    const int n = static_cast<int>(Text().size());
    switch (key) {
    case vkLeft:
        if (!extend && SelLength() > 0 && !ctrl)
            MoveCaret(SelStart(), false);
        else
            MoveCaret(ctrl ? WordLeft(FCaret) : FCaret - 1, extend);
        break;
    case vkRight:
        if (!extend && SelLength() > 0 && !ctrl)
            MoveCaret(SelStart() + SelLength(), false);
        else
            MoveCaret(ctrl ? WordRight(FCaret) : FCaret + 1, extend);
        break;
    case vkHome:
        MoveCaret(0, extend);
        break;
    case vkEnd:
        MoveCaret(n, extend);
        break;
    case vkDelete:
        if (extend) {
            HandleCut();
        } else if (FReadOnly) {
            // Nothing to change.
        } else if (SelLength() > 0) {
            ReplaceSelection("");
        } else if (FCaret < n) {
            Select(FCaret, ctrl ? WordRight(FCaret) : FCaret + 1);
            ReplaceSelection("");
        }
        break;
    case vkInsert:
        if (ctrl)
            CopyToClipboard();
        else if (extend)
            HandlePaste();
        break;
    default:
        break;
    }
}

void TCustomEdit::KeyPress(char& key)
{
    TCustomControl::KeyPress(key);
    if (key == 0)
        return;
    switch (key) {
    case chSelectAll:
        SelectAll();
        return;
    case chCopy:
        CopyToClipboard();
        return;
    case chPaste:
        HandlePaste();
        return;
    case chCut:
        HandleCut();
        return;
    case chUndo:
        Undo();
        return;
    case chBackspace:
        if (FReadOnly) {
            Beep();
        } else if (SelLength() > 0) {
            ReplaceSelection("");
        } else if (FCaret > 0) {
            Select(FCaret - 1, FCaret);
            ReplaceSelection("");
        }
        return;
    default:
        break;
    }
    if (static_cast<unsigned char>(key) < 32)
        return; // other control characters do nothing
    if (FReadOnly) {
        Beep();
        return;
    }
    ReplaceSelection(std::string_view(&key, 1));
}

// --- focus --------------------------------------------------------------------------------------------------

void TCustomEdit::DoEnter()
{
    if (FAutoSelect && !FFocusByMouse)
        SelectAll();
    TCustomControl::DoEnter();
}

void TCustomEdit::FocusIn()
{
    TCustomControl::FocusIn();
    Invalidate();
}

void TCustomEdit::FocusOut()
{
    TCustomControl::FocusOut();
    FSelecting = false;
    Invalidate();
}

// --- mouse --------------------------------------------------------------------------------------------------

void TCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        if (!Focused() && CanFocus()) {
            FFocusByMouse = true;
            const TScopeGuard done([this] { FFocusByMouse = false; });
            SetFocus();
        }
        const int at = CharAtX(x);
        if (shift & ssDouble) {
            Select(WordLeft(std::min(at + 1, static_cast<int>(Text().size()))), WordRight(at));
        } else {
            MoveCaret(at, (shift & ssShift) != 0);
            FSelecting = true;
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomEdit::MouseMove(TShiftState shift, int x, int y)
{
    if (FSelecting)
        MoveCaret(CharAtX(x), true);
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft)
        FSelecting = false;
    TCustomControl::MouseUp(button, shift, x, y);
}

// --- geometry -------------------------------------------------------------------------------------------------

TRect TCustomEdit::ClientRect() const
{
    const int b = BorderWidth();
    return Rect(b, b, std::max(b, FWidth - b), std::max(b, FHeight - b));
}

TRect TCustomEdit::EditRect() const
{
    if (FHasEditRect)
        return FEditRect;
    const TRect c = ClientRect();
    return Rect(0, 0, c.Width(), c.Height());
}

void TCustomEdit::SetEditRect(const TRect& rect)
{
    FEditRect = rect;
    FHasEditRect = true;
}

void TCustomEdit::ResetEditRect()
{
    FHasEditRect = false;
    Invalidate();
}

// Client x of the caret before character index (control coordinates).
int TCustomEdit::TextX(int index)
{
    TCanvas& canvas = Canvas();
    TCanvasState state(canvas);
    canvas.SetFont(Font());
    const std::string& t = Text();
    const int w = canvas.TextWidth(
        std::string_view(t).substr(0, static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(t.size())))));
    return BorderWidth() + EditRect().Left + 1 + w - FScrollX;
}

int TCustomEdit::CharAtX(int x)
{
    // Prefix widths grow with the prefix: find the first boundary at or right of x by halving,
    // then take the nearer of it and the one before (a long text costs log n measurements).
    const int n = static_cast<int>(Text().size());
    int low = 0;
    int high = n;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (TextX(mid) < x)
            low = mid + 1;
        else
            high = mid;
    }
    if (low > 0 && std::abs(TextX(low - 1) - x) <= std::abs(TextX(low) - x))
        return low - 1;
    return low;
}

void TCustomEdit::ScrollToCaret()
{
    const TRect r = EditRect();
    const int visible = std::max(0, r.Width() - 2);
    const int caretX = TextX(FCaret) + FScrollX - (BorderWidth() + r.Left + 1);
    const int endX = TextX(static_cast<int>(Text().size())) + FScrollX - (BorderWidth() + r.Left + 1);
    if (caretX - FScrollX < 0)
        FScrollX = caretX;
    else if (caretX - FScrollX > visible)
        FScrollX = caretX - visible;
    if (FScrollX > 0 && endX - FScrollX < visible)
        FScrollX = std::max(0, endX - visible);
}

// --- painting -------------------------------------------------------------------------------------------------

void TCustomEdit::Paint()
{
    TCanvas& canvas = Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(FColor);
    canvas.FillRect(Rect(0, 0, FWidth, FHeight));
    if (FBorderStyle != bsNone) {
        if (FCtl3D)
            DrawSunkenEdge(canvas, Rect(0, 0, FWidth, FHeight));
        else
            DrawEdgeLines(canvas, Rect(0, 0, FWidth, FHeight), clWindowFrame, clWindowFrame);
    }
    const int b = BorderWidth();
    const TRect edit = EditRect();
    const TRect area = Rect(b + edit.Left, b + edit.Top, b + edit.Right, b + edit.Bottom);
    canvas.IntersectClipRect(Rect(b, b, FWidth - b, FHeight - b));
    canvas.IntersectClipRect(area);
    canvas.SetFont(Font());
    canvas.SetBkMode(bmTransparent);
    const std::string& t = Text();
    const int y = area.Top + 1;
    const bool focused = Focused() && ParentForm() && ParentForm()->Active();
    const bool showSelection = SelLength() > 0 && (focused || !FHideSelection);
    if (!EnabledInTree())
        canvas.SetTextColor(clGrayText);
    if (!showSelection) {
        canvas.TextOut(TextX(0), y, t);
    } else {
        const int s = SelStart();
        const int e = s + SelLength();
        const std::string_view view(t);
        canvas.TextOut(TextX(0), y, view.substr(0, static_cast<std::size_t>(s)));
        const int lineHeight = canvas.GetTextMetrics().tmHeight;
        canvas.Brush().SetColor(clHighlight);
        canvas.FillRect(Rect(TextX(s), y, TextX(e), y + lineHeight));
        canvas.SetBkMode(bmTransparent); // the brush change made the background opaque
        const TColor normal = canvas.TextColor();
        canvas.SetTextColor(clHighlightText);
        canvas.TextOut(TextX(s), y, view.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s)));
        canvas.SetTextColor(normal);
        canvas.TextOut(TextX(e), y, view.substr(static_cast<std::size_t>(e)));
    }
    if (focused) {
        const int x = TextX(FCaret);
        canvas.Brush().SetColor(Font().Color());
        canvas.FillRect(Rect(x, y, x + 1, y + canvas.GetTextMetrics().tmHeight));
    }
}
