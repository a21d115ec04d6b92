#include "engine/DoTransitionThread.h"

#include <algorithm>

#include "engine/QsvImgFree.h"
#include "platform/Kernel.h"

T_DoTransitionThread::T_DoTransitionThread(T_QsvImgFree& engine) : Engine(&engine) {}

T_DoTransitionThread::~T_DoTransitionThread()
{
    // Execute() uses this object's fields: it must be over before they go.
    Terminate();
    WaitFor();
}

void T_DoTransitionThread::Execute()
{
    T_QsvImgFree& engine = *Engine;
    Running = true;
    engine.Fading = true;
    try {
        RunSteps(engine);
    } catch (...) {
        // A step that fails (a frame that cannot be copied, say) must not leave Fading set:
        // the main thread would never change poster again. The exception stays readable
        // through FatalException().
        Running = false;
        engine.FadePercent = engine.FadeStep;
        engine.Fading = false;
        engine.NotifyTransitionDone();
        throw;
    }
}

void T_DoTransitionThread::RunSteps(T_QsvImgFree& engine)
{
    while (!Terminated()) {
        // Each step starts again from the untouched current frame.
        engine.WorkFrame->Assign(*engine.CurrentFrame);
        T_QsvImgFree::BlendFrames(*engine.WorkFrame, *engine.NextFrame, engine.FadePercent);
        engine.ShowWorkFrame();
        Sleep(static_cast<std::uint32_t>(std::max(engine.FadeDelay, 0)));
        if (engine.FadePercent >= 100) {
            Terminate();
            Running = false;
            // FadePercent is put back before Fading drops, so that whoever sees the fade
            // over also sees the percentage ready for the next one.
            engine.FadePercent = engine.FadeStep;
            engine.Fading = false;
            engine.NotifyTransitionDone();
        } else {
            engine.FadePercent = std::min(engine.FadePercent + std::max(engine.FadeStep, 1), 100);
        }
    }
}
