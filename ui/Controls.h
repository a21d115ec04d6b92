#pragma once

// Types shared by the controls, forms and the application: mouse buttons and shift states
// (the display's own), form styles, modal results, cursors, control styles and event types.

#include "classes/EnumInfo.h"
#include "classes/Set.h"

#include "platform/DisplayKeys.h"
#include "platform/DisplayTypes.h"

#include <cstdint>
#include <functional>

class TObject;

// TMouseButton (mbLeft, mbRight, mbMiddle, ...) and TShiftState (ssShift, ssAlt, ssCtrl,
// ssLeft, ssRight, ssMiddle, ssDouble) are the display's types, so events pass through unchanged.
VELTRANE_ENUM_INFO(TMouseButton, "mbLeft", "mbRight", "mbMiddle", "mbWheelUp", "mbWheelDown", "mbOther")

enum TBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
VELTRANE_ENUM_INFO(TBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin")

enum TPosition : std::uint8_t {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
VELTRANE_ENUM_INFO(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                   "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")

// fsStayOnTop keeps the form above all other windows; MDI styles are accepted and act as fsNormal.
enum TFormStyle : std::uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
VELTRANE_ENUM_INFO(TFormStyle, "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop")

// Only alNone places controls; the others are stored and otherwise ignored.
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
VELTRANE_ENUM_INFO(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom")

// What Close does with a form after OnClose.
enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
VELTRANE_ENUM_INFO(TCloseAction, "caNone", "caHide", "caFree", "caMinimize")

using TModalResult = std::int32_t;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

// The cursor shown over a control: the display's shapes (crArrow, crHandPoint, crIBeam, crNone).
using TCursor = TCursorShape;
VELTRANE_ENUM_INFO(TCursorShape, "crArrow", "crHandPoint", "crIBeam", "crNone")

// Behaviour flags of a control class, set in its constructor.
enum TControlStyleFlag : std::uint8_t {
    csAcceptsControls, // may be the parent of other controls in a form definition
    csCaptureMouse,    // a button press captures the mouse until every button is released
    csClickEvents,     // a left press and release over the control runs Click
    csDoubleClicks,    // a second quick press is a double click (DblClick, ssDouble)
    csSetCaption,      // the name given at design time becomes the caption (kept for fidelity)
    csOpaque,          // the control covers its whole rectangle: nothing is erased beneath it
    csReplicatable,    // kept for fidelity
    csFramed,          // kept for fidelity
};
using TControlStyle = TSet<TControlStyleFlag>;

// Event types (all receive the sender first).
using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, std::uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
