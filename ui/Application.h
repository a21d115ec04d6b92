#pragma once

#include "classes/Component.h"
#include "ui/Controls.h"

#include "platform/Display.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TCustomForm;
class TTimer;

using TExceptionEvent = std::function<void(TObject* sender, const std::exception& error)>;

// The one application object: its display, its forms and timers, and the message loop.
//
// Construct it with the display to use (a TMemoryDisplay in tests), or without one to open the
// X11 display. While it exists, Application() answers it; forms and timers find their display
// and their loop through it. It owns the forms made with CreateForm and destroys them (with
// their OnDestroy) when it is destroyed.
//
// Run shows the main form and handles events and timers until Terminate (the main form's Close
// calls it) or until the display's connection is lost. An exception escaping an event handler
// goes to HandleException and the loop goes on.
class TApplication : public TComponent {
public:
    VELTRANE_CLASS_INFO

    explicit TApplication(TDisplay& display);
    // Opens the X11 display (EDisplayError when it cannot).
    TApplication();
    ~TApplication() override;

    TDisplay& Display() { return *FDisplay; }

    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value) { FTitle = value; }
    TCustomForm* MainForm() const { return FMainForm; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool value) { FShowMainForm = value; }

    // Creates a form owned by the application: constructs it, raises its OnCreate, makes it the
    // main form when there is none yet, and shows it when its Visible is set.
    template <class T, class... Args>
    T& CreateForm(Args&&... args)
    {
        auto form = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& result = *form;
        AdoptForm(std::move(form));
        return result;
    }

    // Shows the main form, then handles messages until Terminated.
    void Run();
    // Handles every waiting event and due timer, repaints, and returns without waiting.
    void ProcessMessages();
    // Waits for one event or timer (up to timeoutMs; negative: until one comes) and handles it.
    void HandleMessage(int timeoutMs = -1);
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // The default handling of an exception that escaped an event handler: OnException when
    // set, else ShowException.
    void HandleException(std::exception_ptr error);
    // Shows the message in a message box with an error icon, titled with Title; a full stop is
    // appended when the message's last character sorts after ".".
    void ShowException(const std::exception& error);
    const TExceptionEvent& OnException() const { return FOnException; }
    void SetOnException(TExceptionEvent handler) { FOnException = std::move(handler); }

    // The text ShowException shows for a message.
    static std::string ExceptionText(std::string_view message);

    // --- for forms and timers --------------------------------------------------------
    void AddForm(TCustomForm& form);
    void RemoveForm(TCustomForm& form);
    TCustomForm* FindForm(TWindowId window) const;
    const std::vector<TCustomForm*>& Forms() const { return FForms; }
    void AddTimer(TTimer& timer);
    void RemoveTimer(TTimer& timer);
    // Forms other than this one take no input while it runs modally.
    TCustomForm* ModalForm() const { return FModalForms.empty() ? nullptr : FModalForms.back(); }
    void PushModal(TCustomForm& form) { FModalForms.push_back(&form); }
    void PopModal()
    {
        if (!FModalForms.empty())
            FModalForms.pop_back();
    }
    // Repaints and presents every form with something waiting.
    void UpdateForms();
    // Destroys a form after the current event (caFree, Release).
    void ReleaseForm(TCustomForm& form);

private:
    void AdoptForm(std::unique_ptr<TCustomForm> form);
    void Dispatch(const TDisplayEvent& event);
    void RunDueTimers();
    int MillisecondsToNextTimer() const;
    void DestroyReleased();

    std::unique_ptr<TDisplay> FOwnDisplay;
    TDisplay* FDisplay;
    std::string FTitle;
    TCustomForm* FMainForm = nullptr;
    bool FShowMainForm = true;
    bool FTerminated = false;
    TExceptionEvent FOnException;
    std::vector<TCustomForm*> FForms;
    std::vector<TTimer*> FTimers;
    std::vector<TCustomForm*> FModalForms;
    std::vector<TCustomForm*> FReleased;
};

// The application object while one exists, else null.
TApplication* Application();
