#include "view/frm_ssView.h"

#include <cstdlib>
#include <limits>

#include "engine/QsvImgFree.h"
#include "platform/Display.h"
#include "view/MonitorCovers.h"
#include "ui/Application.h"
#include "classes/ClassRegistry.h"
#include "ui/FrameworkClasses.h"
#include "classes/Published.h"
#include "ui/Timer.h"
#include "platform/ScopeGuard.h"

namespace {

TDisplay& AppDisplay()
{
    return Application()->Display();
}

} // namespace

const TClassInfo& Tfrm_ssView::StaticClass()
{
    using T = Tfrm_ssView;
    static const TClassInfo info = MakeClass<T, TForm>("Tfrm_ssView", {},
        {
            PublishedMethod("FormActivate", &T::FormActivate),
            PublishedMethod("FormCloseQuery", &T::FormCloseQuery),
            PublishedMethod("FormCreate", &T::FormCreate),
            PublishedMethod("FormDestroy", &T::FormDestroy),
            PublishedMethod("FormKeyPress", &T::FormKeyPress),
            PublishedMethod("FormMouseDown", &T::FormMouseDown),
            PublishedMethod("FormMouseMove", &T::FormMouseMove),
            PublishedMethod("FormPaint", &T::FormPaint),
            PublishedMethod("tmrEsperaTimer", &T::tmrEsperaTimer),
        },
        {PublishedField("tmrEspera", &T::tmrEspera)});
    return info;
}

Tfrm_ssView::Tfrm_ssView(TComponent* owner) : TForm(owner)
{
    TClassRegistry classes;
    RegisterFrameworkClasses(classes);
    ReadFormResource(FormResource, classes);
}

Tfrm_ssView::~Tfrm_ssView()
{
    // Normally FormDestroy has done this; the worker must be over before the window goes.
    Engine.reset();
    FCovers.reset();
}

std::uint32_t Tfrm_ssView::IntervalFor(std::int32_t seconds)
{
    if (seconds <= 0)
        return 0;
    const std::int64_t milliseconds = static_cast<std::int64_t>(seconds) * 1000;
    const std::int64_t largest = std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(milliseconds < largest ? milliseconds : largest);
}

// --- creation and the first activation ------------------------------------------------

void Tfrm_ssView::FormCreate(TObject*)
{
    HideCursor();
    SetCursor(crNone);
    Engine = std::make_unique<T_QsvImgFree>();
    Engine->SetDisplay(&AppDisplay());
    // The primary monitor only: other monitors stay as they are.
    const TWindowRect primary = AppDisplay().PrimaryMonitorRect();
    SetBounds(primary.Left, primary.Top, primary.Width(), primary.Height());
    FirstActivate = true;
    FirstPaint = true;
    const TWindowPoint pointer = AppDisplay().GetCursorPos();
    StartMouseX = pointer.X;
    StartMouseY = pointer.Y;
    tmrEspera->SetEnabled(false);
    Application()->SetOnException([this](TObject*, const std::exception& error) { ShowError(error); });
}

void Tfrm_ssView::FormActivate(TObject*)
{
    if (!FirstActivate)
        return;
    FirstActivate = false;
    // The other monitors go black; the view is made top-most after them, so it ends highest.
    FCovers =
        std::make_unique<TMonitorCovers>(AppDisplay(), TWindowRect{Left(), Top(), Left() + Width(), Top() + Height()});
    AppDisplay().SetTopMost(Handle(), true);
    TakeOver();
    Engine->AttachWindow(Handle());
    Engine->PrepareFrames(1, 2);
    tmrEspera->SetInterval(IntervalFor(Engine->ImageTime));
    tmrEspera->SetEnabled(true);
}

// --- drawing ------------------------------------------------------------------------------

void Tfrm_ssView::FormPaint(TObject*)
{
    if (FirstPaint) {
        FirstPaint = false;
        Engine->ShowCurrentFrame();
        return;
    }
    // Asked again (a window or a message box was over the view): put back what the screen
    // showed rather than leave the black background until the next poster. During a
    // cross-fade the worker's next step draws the whole frame anyway.
    if (Engine->Fading)
        return;
    if (FFaded)
        Engine->ShowWorkFrame();
    else
        Engine->ShowCurrentFrame();
}

void Tfrm_ssView::tmrEsperaTimer(TObject*)
{
    if (Engine->Fading)
        return;
    Engine->AdvanceImage();
    Engine->StartTransition();
    FFaded = true;
}

// --- dismissal ------------------------------------------------------------------------------

void Tfrm_ssView::FormKeyPress(TObject*, char&)
{
    RequestClose();
}

void Tfrm_ssView::FormMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    RequestClose();
}

void Tfrm_ssView::FormMouseMove(TObject*, TShiftState, int x, int y)
{
    // The start is in screen coordinates; the form's client origin is its place on the screen.
    const int screenX = Left() + x;
    const int screenY = Top() + y;
    if (std::abs(StartMouseX - screenX) > MoveTolerance || std::abs(StartMouseY - screenY) > MoveTolerance)
        RequestClose();
}

void Tfrm_ssView::RequestClose()
{
    if (Application()->Terminated())
        return;  // already agreed: input still waiting asks nothing more
    // A provider's password dialog needs the keyboard, the pointer and the cursor, but only
    // while its child runs. The keyboard focus is the view's meanwhile: keys that no window
    // of the provider takes come here, never to another program's window.
    AppDisplay().RaiseWindow(Handle());
    AppDisplay().SetFocus(Handle());
    StepAside();
    bool mayClose = false;
    {
        TScopeGuard takeOver([this] { TakeOver(); });
        mayClose = Engine->VerifyPassword(Handle());
        takeOver.Dismiss();
    }
    if (!mayClose) {
        TakeOver();
        return;
    }
    Engine->StopTransition();
    Engine->WaitForTransition();
    Application()->Terminate();
}

void Tfrm_ssView::FormCloseQuery(TObject*, bool& canClose)
{
    ShowCursorAgain();
    canClose = true;
}

void Tfrm_ssView::FormDestroy(TObject*)
{
    Engine.reset();  // stops and joins a cross-fade that still runs
    FCovers.reset();
    StepAside();
    if (TApplication* application = Application())
        application->SetOnException(nullptr);
}

// --- the input and the cursor ---------------------------------------------------------------

void Tfrm_ssView::HideCursor()
{
    if (FCursorHidden)
        return;
    AppDisplay().ShowCursor(false);
    FCursorHidden = true;
}

void Tfrm_ssView::ShowCursorAgain()
{
    if (!FCursorHidden)
        return;
    if (TApplication* application = Application())
        application->Display().ShowCursor(true);
    FCursorHidden = false;
}

void Tfrm_ssView::TakeOver()
{
    HideCursor();
    if (!HandleAllocated() || !Visible())
        return;
    AppDisplay().SetCursor(Handle(), crNone);
    if (!FInputGrabbed)
        FInputGrabbed = AppDisplay().GrabInput(Handle());
    // Held elsewhere (a menu of another program, say): tried again until it is ours.
    if (!FGrabRetry) {
        FGrabRetry = std::make_unique<TTimer>(nullptr);
        FGrabRetry->SetInterval(GrabRetryInterval);
        FGrabRetry->SetOnTimer([this](TObject*) {
            if (!FErrorShowing)
                TakeOver();
        });
    }
    FGrabRetry->SetEnabled(!FInputGrabbed);
}

void Tfrm_ssView::StepAside()
{
    if (FGrabRetry)
        FGrabRetry->SetEnabled(false);
    if (FInputGrabbed) {
        if (TApplication* application = Application())
            application->Display().ReleaseInput();
        FInputGrabbed = false;
    }
    ShowCursorAgain();
}

void Tfrm_ssView::ShowError(const std::exception& error)
{
    // The message box must be seen and answered: give the screen back while it shows.
    const bool nested = FErrorShowing;
    FErrorShowing = true;
    StepAside();
    {
        const TScopeGuard restore([this, nested] { FErrorShowing = nested; });
        Application()->ShowException(error);
    }
    if (!nested && !Application()->Terminated())
        TakeOver();
}
