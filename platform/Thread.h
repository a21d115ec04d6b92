#pragma once

#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/Exception.h"

VELTRANE_EXCEPTION(EThread, Exception);  // a thread could not be started or joined

// Base of a worker thread. A derived class puts its work in Execute(), which should
// look at Terminated() now and then and return when it is set. The thread never frees
// itself: its owner calls Terminate() when it wants it to stop, then WaitFor(), and
// only then destroys the object. (The destructor stops and joins a thread that is still
// running as a last resort, but by then the derived part is already gone.)
class TThread {
public:
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Builds a T and starts it at once unless createSuspended; a suspended thread
    // runs when Start() is called.
    template <class T, class... TArgs>
    static std::unique_ptr<T> Create(bool createSuspended, TArgs&&... args)
    {
        auto thread = std::make_unique<T>(std::forward<TArgs>(args)...);
        if (!createSuspended)
            thread->Start();
        return thread;
    }

    // Runs Execute() on a new thread. Raises EThread when the thread was started
    // before or the system cannot create one.
    void Start();
    // Asks the thread to stop; Execute() sees it through Terminated().
    void Terminate() { FTerminated.store(true); }
    bool Terminated() const { return FTerminated.load(); }
    bool Started() const { return FStarted.load(); }
    // True once Execute() has returned (or raised).
    bool Finished() const { return FFinished.load(); }
    // Blocks until Execute() has returned and the thread is joined; returns at once for
    // a thread that was never started or is joined already. Raises EThread when called
    // from the thread itself.
    void WaitFor();
    // The exception that escaped Execute(), if any; read it after WaitFor().
    std::exception_ptr FatalException() const { return FFatalException; }

protected:
    TThread() = default;
    virtual void Execute() = 0;

private:
    void Run();

    std::mutex FLock;  // guards starting and joining FThread
    std::thread FThread;
    std::atomic<std::thread::id> FWorkerId{};  // set by the worker itself before Execute()
    std::atomic<bool> FStarted{false};
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::exception_ptr FFatalException;
};
