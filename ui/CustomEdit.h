#pragma once

#include "ui/CustomControl.h"

#include <cstdint>
#include <string>
#include <string_view>

// A single-line text edit drawn by the framework, behaving as the platform's edit control:
//
// - Text with a caret and a selection (anchor and caret). The caret and a highlighted selection
//   show while the edit has the focus. The text scrolls sideways to keep the caret in view.
// - Keys: Left/Right (Shift extends, Ctrl moves by words), Home/End, Delete, Backspace, typed
//   characters replacing the selection, Ctrl+C/X/V/A/Z as the control characters 3, 24, 22, 1 and 26,
//   Ctrl+Insert, Shift+Insert and Shift+Delete. OnKeyDown and OnKeyPress run first and can
//   consume the key (set it to 0).
// - MaxLength (0: no limit) limits typing and pasting, with a beep when nothing fits; text
//   written by code is not limited. ReadOnly refuses changes with a beep but allows copying.
// - Paste and cut go through HandlePaste and HandleCut, which derived classes may refuse.
//   Pasted text stops at its first line break.
// - AutoSelect selects the whole text when the focus arrives other than by a left press.
// - The formatting rectangle (EditRect, client coordinates inside the border) is where text is
//   drawn; by default the whole client area.
// - BorderStyle bsSingle gives the two-pixel sunken frame; the client area lies inside it.
// - Every change of the text, typed or written, runs Change (OnChange).
class TCustomEdit : public TCustomControl {
public:
    VELTRANE_CLASS_INFO

    explicit TCustomEdit(TComponent* owner);

    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    // The user changed the text since it was last written by code.
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }

    // Selection, in characters.
    int SelStart() const;
    int SelLength() const;
    std::string SelText() const;
    void SetSelStart(int value);
    void SetSelLength(int value);
    // Selects from anchor to caret (clamped to the text).
    void Select(int anchor, int caret);
    void SelectAll();
    void ClearSelection();
    int CaretPos() const { return FCaret; }

    // The last change the user made can be taken back (Ctrl+Z, the control character 26), and
    // taking it back can be taken back too. Text written by code forgets it.
    bool CanUndo() const { return FCanUndo; }
    void Undo();

    void CopyToClipboard();
    void CutToClipboard() { HandleCut(); }
    void PasteFromClipboard() { HandlePaste(); }

    // The formatting rectangle in client coordinates (origin inside the border). SetEditRect
    // takes a rectangle without repainting, as the platform's "set without redraw" does.
    TRect EditRect() const;
    void SetEditRect(const TRect& rect);
    void ResetEditRect();
    // The border's width on each side (2 for bsSingle, else 0).
    int BorderWidth() const { return FBorderStyle == bsNone ? 0 : 2; }
    TRect ClientRect() const override;
    TRect ChildClipRect() const override { return ClientRect(); }
    // Character index nearest to client x.
    int CharAtX(int x);

    bool WantsKey(std::uint16_t key, TShiftState shift) const override;
    bool WantsChars() const override { return true; }

    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }

protected:
    // Raises OnChange.
    virtual void Change();
    // The paste and cut requests; the defaults do the work (refused while ReadOnly).
    virtual void HandlePaste();
    virtual void HandleCut();
    // Fits the height to the font when AutoSize is on.
    void AdjustHeight();
    // The left button went down on the edit and brought the focus with it (during DoEnter).
    bool FocusByMouse() const { return FFocusByMouse; }
    void Beep();

    void Paint() override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoEnter() override;
    void FocusIn() override;
    void FocusOut() override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;

    TNotifyEvent FOnChange;

private:
    // Replaces the selection with text as the user does (limits, Modified).
    bool ReplaceSelection(std::string_view text);
    void SetTextKeepCaret(std::string text, int caret);
    void MoveCaret(int caret, bool extend);
    int WordLeft(int from) const;
    int WordRight(int from) const;
    void ScrollToCaret();
    int TextX(int index);

    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FAutoSelect = true;
    bool FAutoSize = true;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    bool FHideSelection = true;
    bool FModified = false;
    int FAnchor = 0;
    int FCaret = 0;
    int FScrollX = 0;
    bool FHasEditRect = false;
    TRect FEditRect;
    bool FSelecting = false;
    bool FFocusByMouse = false;
    bool FInternalChange = false;
    bool FCanUndo = false;
    std::string FUndoText;
    int FUndoCaret = 0;
};
