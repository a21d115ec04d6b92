#pragma once

#include <atomic>

#include "platform/Thread.h"

class T_QsvImgFree;

// The cross-fade worker: blends the engine's next frame into its current one in steps of
// FadeStep percent, presents each step on the target window and sleeps FadeDelay between
// steps. It ends by itself after the 100 % step, clearing Fading and putting FadePercent
// back to FadeStep. The engine owns it; destroying it stops and joins the thread first.
class T_DoTransitionThread : public TThread {
public:
    explicit T_DoTransitionThread(T_QsvImgFree& engine);
    ~T_DoTransitionThread() override;

    std::atomic<bool> Running{false};  // true while its loop runs
    T_QsvImgFree* Engine;              // not owned

protected:
    void Execute() override;

private:
    void RunSteps(T_QsvImgFree& engine);
};
