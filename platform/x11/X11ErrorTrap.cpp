#include "platform/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>
#include <fcntl.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

namespace {

struct TRecord {
    unsigned long LastSerial = 0;
    int LastCode = 0;
    bool HasError = false;
    std::atomic<bool> Lost{false};
};

// The registry behind Xlib's process-wide callbacks (see the class comment).
struct TRegistry {
    std::mutex Lock;
    std::map<Display*, std::unique_ptr<TRecord>> Records;
};

TRegistry& Registry()
{
    static TRegistry registry;
    return registry;
}

int OnError(Display* display, XErrorEvent* error)
{
    TRegistry& registry = Registry();
    std::lock_guard lock(registry.Lock);
    auto it = registry.Records.find(display);
    if (it != registry.Records.end()) {
        it->second->LastSerial = error->serial;
        it->second->LastCode = error->error_code;
        it->second->HasError = true;
    }
    return 0; // never printed, never fatal
}

int OnIOError(Display*)
{
    return 0; // the exit handler below decides; nothing is printed
}

void OnIOErrorExit(Display*, void* userData)
{
    // Returning keeps the process alive; the display then refuses further work.
    static_cast<TRecord*>(userData)->Lost = true;
}

TRecord* Find(Display* display)
{
    TRegistry& registry = Registry();
    std::lock_guard lock(registry.Lock);
    auto it = registry.Records.find(display);
    return it == registry.Records.end() ? nullptr : it->second.get();
}

} // namespace

TX11ErrorTrap::TX11ErrorTrap(_XDisplay* display) : FDisplay(display), FStart(NextRequest(display))
{
}

bool TX11ErrorTrap::Failed()
{
    if (IsLost(FDisplay))
        return true;
    XSync(FDisplay, False);
    TRecord* record = Find(FDisplay);
    if (!record)
        return false;
    if (record->Lost)
        return true;
    TRegistry& registry = Registry();
    std::lock_guard lock(registry.Lock);
    return record->HasError && record->LastSerial >= FStart;
}

int TX11ErrorTrap::ErrorCode() const
{
    TRecord* record = Find(FDisplay);
    if (!record)
        return 0;
    TRegistry& registry = Registry();
    std::lock_guard lock(registry.Lock);
    return record->HasError && record->LastSerial >= FStart ? record->LastCode : 0;
}

void TX11ErrorTrap::Register(_XDisplay* display)
{
    static std::once_flag handlersOnce;
    std::call_once(handlersOnce, [] {
        XSetErrorHandler(OnError);
        XSetIOErrorHandler(OnIOError);
    });
    TRegistry& registry = Registry();
    std::lock_guard lock(registry.Lock);
    auto& record = registry.Records[display];
    record = std::make_unique<TRecord>();
    XSetIOErrorExitHandler(display, OnIOErrorExit, record.get());
    // A program this process starts must not hold the connection (and with it the
    // windows) open after this process has gone.
    ::fcntl(ConnectionNumber(display), F_SETFD, ::fcntl(ConnectionNumber(display), F_GETFD) | FD_CLOEXEC);
}

void TX11ErrorTrap::Unregister(_XDisplay* display)
{
    TRegistry& registry = Registry();
    std::lock_guard lock(registry.Lock);
    registry.Records.erase(display);
}

bool TX11ErrorTrap::IsLost(_XDisplay* display)
{
    TRecord* record = Find(display);
    return record && record->Lost;
}
