#include "ui/Application.h"

#include "classes/Errors.h"
#include "classes/Published.h"
#include "ui/CustomForm.h"
#include "ui/MessageBox.h"
#include "ui/Timer.h"

#include "platform/DefaultDisplay.h"
#include "platform/Kernel.h"

#include <algorithm>
#include <chrono>

namespace {

TApplication* GApplication = nullptr;

// The title until the program sets one: the executable's file name without its extension,
// so that message boxes are never untitled.
std::string DefaultTitle()
{
    std::string name = GetExecutablePath();
    name = name.substr(name.find_last_of(PathSeparators) + 1);
    const std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    return name;
}

} // namespace

TApplication* Application()
{
    return GApplication;
}

const TClassInfo& TApplication::StaticClass()
{
    static const TClassInfo info = MakeClass<TApplication, TComponent>("TApplication", {});
    return info;
}

TApplication::TApplication(TDisplay& display) : TComponent(nullptr), FDisplay(&display), FTitle(DefaultTitle())
{
    if (GApplication)
        throw EInvalidOperation("An application object exists already");
    GApplication = this;
}

TApplication::TApplication()
    : TComponent(nullptr), FOwnDisplay(OpenDefaultDisplay()), FDisplay(FOwnDisplay.get()), FTitle(DefaultTitle())
{
    if (!FDisplay)
        throw EDisplayError("Cannot open the display");
    if (GApplication)
        throw EInvalidOperation("An application object exists already");
    GApplication = this;
}

TApplication::~TApplication()
{
    // Forms hear OnDestroy while everything they use still exists, the last created first.
    for (int i = ComponentCount() - 1; i >= 0; --i)
        if (auto* form = dynamic_cast<TCustomForm*>(Components(i))) {
            try {
                form->BeforeDestruction();
            } catch (...) {
                HandleException(std::current_exception());
            }
        }
    DestroyComponents();
    FMainForm = nullptr;
    GApplication = nullptr;
}

void TApplication::AdoptForm(std::unique_ptr<TCustomForm> form)
{
    TCustomForm& ref = *form;
    InsertComponent(std::move(form));
    if (!FMainForm)
        FMainForm = &ref;
    ref.AfterConstruction();
    if (ref.Visible() && ref.FHandle == 0) {
        ref.FVisible = false;
        ref.Show();
    }
}

// --- forms and timers ---------------------------------------------------------------------

void TApplication::AddForm(TCustomForm& form)
{
    if (std::find(FForms.begin(), FForms.end(), &form) == FForms.end())
        FForms.push_back(&form);
}

void TApplication::RemoveForm(TCustomForm& form)
{
    std::erase(FForms, &form);
    std::erase(FModalForms, &form);
    std::erase(FReleased, &form);
    if (FMainForm == &form)
        FMainForm = nullptr;
}

TCustomForm* TApplication::FindForm(TWindowId window) const
{
    for (TCustomForm* form : FForms)
        if (form->FHandle == window)
            return form;
    return nullptr;
}

void TApplication::AddTimer(TTimer& timer)
{
    FTimers.push_back(&timer);
}

void TApplication::RemoveTimer(TTimer& timer)
{
    std::erase(FTimers, &timer);
}

void TApplication::ReleaseForm(TCustomForm& form)
{
    if (std::find(FReleased.begin(), FReleased.end(), &form) == FReleased.end())
        FReleased.push_back(&form);
}

void TApplication::DestroyReleased()
{
    while (!FReleased.empty()) {
        TCustomForm* form = FReleased.back();
        FReleased.pop_back();
        form->BeforeDestruction();
        if (TComponent* owner = form->Owner()) {
            std::unique_ptr<TComponent> gone = owner->RemoveComponent(*form);
        }
    }
}

// --- the loop -----------------------------------------------------------------------------

void TApplication::Run()
{
    if (FMainForm && FShowMainForm && !FMainForm->Visible()) {
        try {
            FMainForm->Show();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
    while (!FTerminated)
        HandleMessage(-1);
}

void TApplication::Terminate()
{
    FTerminated = true;
    FDisplay->Wake();
}

void TApplication::UpdateForms()
{
    const std::vector<TCustomForm*> forms = FForms;
    for (TCustomForm* form : forms) {
        if (std::find(FForms.begin(), FForms.end(), form) == FForms.end())
            continue;
        if (!form->HasPendingPaint())
            continue;
        try {
            form->UpdateWindow();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
}

int TApplication::MillisecondsToNextTimer() const
{
    using namespace std::chrono;
    const auto now = steady_clock::now();
    long long best = -1;
    for (const TTimer* timer : FTimers) {
        if (!timer->Armed())
            continue;
        const long long left =
            std::max<long long>(0, duration_cast<milliseconds>(timer->Due() - now + microseconds(999)).count());
        if (best < 0 || left < best)
            best = left;
    }
    return static_cast<int>(std::min<long long>(best, 1 << 30));
}

void TApplication::RunDueTimers()
{
    const auto now = std::chrono::steady_clock::now();
    const std::vector<TTimer*> timers = FTimers;
    for (TTimer* timer : timers) {
        if (std::find(FTimers.begin(), FTimers.end(), timer) == FTimers.end())
            continue;
        if (!timer->Armed() || timer->Due() > now)
            continue;
        try {
            timer->Fire();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
}

void TApplication::HandleMessage(int timeoutMs)
{
    // Like the platform's paint messages, repaints wait until no other event is waiting.
    const bool waiting = FDisplay->Pending();
    if (!waiting)
        UpdateForms();
    if (FTerminated && timeoutMs < 0)
        timeoutMs = 0;
    int wait = MillisecondsToNextTimer();
    if (timeoutMs >= 0 && (wait < 0 || timeoutMs < wait))
        wait = timeoutMs;
    // What waits may be only events the display drops (focus changes of a grab, say): look at
    // them without sleeping, so that the repaint held back for them is not held back longer.
    if (waiting)
        wait = 0;
    TDisplayEvent event;
    if (FDisplay->WaitEvent(event, wait)) {
        try {
            Dispatch(event);
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
    RunDueTimers();
    DestroyReleased();
    if (!FDisplay->Pending())
        UpdateForms();
}

void TApplication::ProcessMessages()
{
    TDisplayEvent event;
    // Only the events waiting now: handlers that cause new ones do not keep this going forever.
    for (std::size_t budget = 10000; budget > 0 && FDisplay->WaitEvent(event, 0); --budget) {
        try {
            Dispatch(event);
        } catch (...) {
            HandleException(std::current_exception());
        }
        if (!FDisplay->Pending())
            break;
    }
    RunDueTimers();
    DestroyReleased();
    UpdateForms();
}

void TApplication::Dispatch(const TDisplayEvent& event)
{
    if (event.Kind == deConnectionLost) {
        Terminate();
        return;
    }
    if (event.Kind == deWake || event.Kind == deNone)
        return;
    TCustomForm* form = FindForm(event.Window);
    if (!form)
        return;
    if (TCustomForm* modal = ModalForm(); modal && modal != form) {
        switch (event.Kind) {
        case deKeyDown:
        case deKeyUp:
        case deButtonDown:
        case deButtonUp:
        case deMouseMove:
        case deClose:
            return; // other forms take no input while a modal one runs
        default:
            break;
        }
    }
    form->HandleEvent(event);
}

// --- exceptions -----------------------------------------------------------------------------

std::string TApplication::ExceptionText(std::string_view message)
{
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        text += '.';
    return text;
}

void TApplication::HandleException(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        if (FOnException)
            FOnException(this, e);
        else
            ShowException(e);
    } catch (...) {
        const std::runtime_error unknown("Unknown exception");
        if (FOnException)
            FOnException(this, unknown);
        else
            ShowException(unknown);
    }
}

void TApplication::ShowException(const std::exception& error)
{
    MessageBox(ExceptionText(error.what()), FTitle, MB_OK | MB_ICONERROR);
}
