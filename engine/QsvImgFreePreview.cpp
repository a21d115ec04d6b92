// The preview: the slideshow drawn into the host's own window until that window goes.

#include <algorithm>
#include <cstdint>

#include "engine/QsvImgFree.h"
#include "platform/Display.h"
#include "platform/Kernel.h"

namespace {

// The longest single wait for events. Hiding an ancestor of the host's window sends no
// event to this process, so visibility is also sampled at least this often; one round
// trip to the server per slice costs nothing measurable.
constexpr std::uint32_t PreviewSliceMs = 250;

} // namespace

bool T_QsvImgFree::PumpPreviewEvents(std::uint32_t timeoutMs)
{
    if (!FDisplay)
        return false;
    bool gone = false;
    bool repaint = false;
    TDisplayEvent event;
    // The first wait may block; the events behind it are handled without waiting.
    int wait = static_cast<int>(std::min(timeoutMs, PreviewSliceMs));
    while (!gone && FDisplay->WaitEvent(event, wait)) {
        wait = 0;
        switch (event.Kind) {
        case deConnectionLost:
            gone = true;
            break;
        case deDestroyed:
        case deUnmapped:
            gone = gone || event.Window == HostWnd;
            break;
        case dePaint:
            repaint = repaint || event.Window == HostWnd;
            break;
        default:
            break;
        }
    }
    if (gone || !FDisplay->IsWindowVisible(HostWnd))
        return false;
    // While a fade runs its next step repaints the window anyway.
    if (repaint && !Fading)
        Present(FWorkShown ? *WorkFrame : *CurrentFrame);
    return true;
}

void T_QsvImgFree::RunPreview()
{
    // No display, no window number, or a number that names no window: nothing to draw.
    if (!FDisplay || !HostWnd || !FDisplay->WatchWindow(HostWnd))
        return;
    // Wait (without spinning) until the host shows its window; give up once it is gone.
    while (!FDisplay->IsWindowVisible(HostWnd)) {
        if (!FDisplay->WindowExists(HostWnd) || FDisplay->ConnectionLost())
            return;
        TDisplayEvent event;
        if (FDisplay->WaitEvent(event, static_cast<int>(PreviewSliceMs)) &&
            ((event.Kind == deDestroyed && event.Window == HostWnd) || event.Kind == deConnectionLost))
            return;
    }

    // However the preview ends, also by an exception, no worker outlives it.
    struct TWorkerGuard {
        T_QsvImgFree& Engine;
        ~TWorkerGuard()
        {
            Engine.StopTransition();
            Engine.WaitForTransition();
        }
    } guard{*this};

    AttachWindow(HostWnd);
    ViewType = 2;  // the preview always fits the poster to the window; not saved
    PrepareFrames(1, 2);
    // A negative time counts as none; large times stay within the 32-bit tick range.
    const std::uint32_t wait = static_cast<std::uint32_t>(
        std::clamp<std::int64_t>(static_cast<std::int64_t>(ImageTime) * 1000, 0, 0xFFFFFFFFll));

    bool first = true;
    bool stopped = false;
    while (!stopped && FDisplay->IsWindowVisible(HostWnd)) {
        if (first) {
            ShowCurrentFrame();
            first = false;
        }
        const std::uint32_t start = GetTickCount();
        std::uint32_t elapsed = 0;
        while (!stopped && elapsed < wait) {
            stopped = !PumpPreviewEvents(wait - elapsed);
            elapsed = TicksBetween(start, GetTickCount());
        }
        // With no wait at all, a pass would only spin while the fade runs: wait for its end.
        while (!stopped && wait == 0 && Fading)
            stopped = !PumpPreviewEvents(PreviewSliceMs);
        if (Fading || stopped)
            continue;
        AdvanceImage();
        if (FDisplay->IsWindowVisible(HostWnd)) {
            StartTransition();
            FWorkShown = true;
        }
    }
}
