#pragma once

#include <memory>
#include <mutex>

#include "platform/DisplayTypes.h"

// Copies pixels onto windows through a server connection of its own, so that any thread
// can present while the main thread waits for events on the main connection.
// Uses MIT-SHM images when the server shares memory with this process, plain image
// requests otherwise; keeps one image per size for reuse.
class TX11Presenter {
public:
    // Opens its connection to the named server; throws EDisplayError when it cannot.
    explicit TX11Presenter(const char* displayName);
    ~TX11Presenter();
    TX11Presenter(const TX11Presenter&) = delete;
    TX11Presenter& operator=(const TX11Presenter&) = delete;

    bool Present(TWindowId window, int destX, int destY, const TPixelView& pixels, const TWindowRect& source);
    // Whether presents go through shared memory (after the first present).
    bool UsesSharedMemory() const;
    bool Lost() const;

private:
    struct TState;
    mutable std::mutex FLock;
    std::unique_ptr<TState> FState;
};
