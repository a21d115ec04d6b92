#include "platform/Thread.h"

#include <system_error>

TThread::~TThread()
{
    Terminate();
    bool own = FWorkerId.load() == std::this_thread::get_id();
    std::lock_guard<std::mutex> guard(FLock);
    if (FThread.joinable()) {
        if (own)
            FThread.detach();  // destroyed from its own Execute(): nothing to wait for
        else
            FThread.join();
    }
}

void TThread::Start()
{
    std::lock_guard<std::mutex> guard(FLock);
    if (FStarted.load())
        throw EThread("Thread started twice");
    try {
        FThread = std::thread(&TThread::Run, this);
    } catch (const std::system_error& error) {
        throw EThread(std::string("Thread creation error: ") + error.what());
    }
    FStarted.store(true);
}

void TThread::WaitFor()
{
    // Checked before taking the lock: the owner may hold it while it joins this thread.
    if (FWorkerId.load() == std::this_thread::get_id())
        throw EThread("A thread cannot wait for itself");
    std::lock_guard<std::mutex> guard(FLock);
    if (FThread.joinable())
        FThread.join();
}

void TThread::Run()
{
    FWorkerId.store(std::this_thread::get_id());
    try {
        Execute();
    } catch (...) {
        FFatalException = std::current_exception();
    }
    FFinished.store(true);
}
