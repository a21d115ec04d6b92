#pragma once

#include <cstdint>
#include <exception>
#include <memory>

#include "ui/Form.h"

class T_QsvImgFree;
class TMonitorCovers;
class TTimer;

// The full-screen view of the saver mode: a borderless window over the primary monitor,
// above every other window, with the cursor hidden and the input grabbed. It shows poster 1,
// cross-fades to the next poster every ImageTime seconds and ends the application's loop on
// a key that types a character, any mouse button, or a pointer movement of more than
// MoveTolerance pixels from where the pointer was at creation, once the password provider
// agrees. Loaded from the form definition TFRM_SSVIEW, which binds the handlers below.
class Tfrm_ssView : public TForm {
public:
    VELTRANE_CLASS_INFO

    // The form definition resource, and how far the pointer may wander before it counts.
    static constexpr const char* FormResource = "TFRM_SSVIEW";
    static constexpr int MoveTolerance = 30;
    // How often input held by another program is asked for again (milliseconds).
    static constexpr std::uint32_t GrabRetryInterval = 100;

    explicit Tfrm_ssView(TComponent* owner);
    ~Tfrm_ssView() override;

    // --- handlers bound by the form definition --------------------------------------
    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormPaint(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void FormDestroy(TObject* sender);
    void FormKeyPress(TObject* sender, char& key);
    void FormMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void FormMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void tmrEsperaTimer(TObject* sender);

    // Asks the password provider; when it agrees, stops the cross-fade, waits for its worker
    // and ends the application's loop. When it refuses, the slideshow goes on.
    void RequestClose();

    // The timer interval for a poster time in seconds: 0 (no timer) for zero or less,
    // at most the largest interval a timer holds.
    static std::uint32_t IntervalFor(std::int32_t seconds);

    // Components and fields.
    TTimer* tmrEspera = nullptr;
    int StartMouseX = 0;
    int StartMouseY = 0;
    bool FirstActivate = false;
    bool FirstPaint = false;
    std::unique_ptr<T_QsvImgFree> Engine;

private:
    // While the view holds the input and hides the cursor, a message box or a password
    // dialog of another program could not be used: these step aside and come back.
    void StepAside();
    void TakeOver();
    void HideCursor();
    void ShowCursorAgain();
    void ShowError(const std::exception& error);

    std::unique_ptr<TMonitorCovers> FCovers;  // the other monitors, black
    std::unique_ptr<TTimer> FGrabRetry;  // runs while the input could not be taken
    bool FCursorHidden = false;
    bool FInputGrabbed = false;
    bool FErrorShowing = false;  // a message box is up: the view leaves the input alone
    bool FFaded = false;  // a cross-fade has run: the window shows WorkFrame, not CurrentFrame
};
