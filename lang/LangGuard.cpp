#include "lang/LangGuard.h"

bool TLangGuard::IsWriter() const
{
    return FWriteDepth > 0 && FWriter == std::this_thread::get_id();
}

void TLangGuard::BeginRead()
{
    std::unique_lock lock(FMutex);
    const auto self = std::this_thread::get_id();
    // The writer itself and threads already reading never wait: waiting would deadlock them.
    FChanged.wait(lock, [&] { return FWriteDepth == 0 || FWriter == self || FReaders.count(self) != 0; });
    ++FReaders[self];
}

void TLangGuard::EndRead()
{
    std::lock_guard lock(FMutex);
    const auto found = FReaders.find(std::this_thread::get_id());
    if (found == FReaders.end())
        return;
    if (--found->second == 0) {
        FReaders.erase(found);
        FChanged.notify_all();
    }
}

void TLangGuard::BeginWrite()
{
    std::unique_lock lock(FMutex);
    const auto self = std::this_thread::get_id();
    if (IsWriter()) {
        ++FWriteDepth;
        return;
    }
    // Wait until no other thread reads or writes; this thread's own shared holds do not count.
    FChanged.wait(lock, [&] {
        if (FWriteDepth != 0)
            return false;
        return FReaders.empty() || (FReaders.size() == 1 && FReaders.count(self) != 0);
    });
    FWriter = self;
    FWriteDepth = 1;
}

void TLangGuard::EndWrite()
{
    std::lock_guard lock(FMutex);
    if (!IsWriter())
        return;
    if (--FWriteDepth == 0) {
        FWriter = std::thread::id();
        FChanged.notify_all();
    }
}
