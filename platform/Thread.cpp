#include "platform/Thread.h"

#include <system_error>

TThread::~TThread()
{
    Terminate();
    std::lock_guard<std::mutex> guard(FLock);
    if (FThread.joinable()) {
        if (FThread.get_id() == std::this_thread::get_id())
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
    std::lock_guard<std::mutex> guard(FLock);
    if (!FThread.joinable())
        return;
    if (FThread.get_id() == std::this_thread::get_id())
        throw EThread("A thread cannot wait for itself");
    FThread.join();
}

void TThread::Run()
{
    try {
        Execute();
    } catch (...) {
        FFatalException = std::current_exception();
    }
    FFinished.store(true);
}
