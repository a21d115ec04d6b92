#pragma once

#include <condition_variable>
#include <cstddef>
#include <map>
#include <mutex>
#include <thread>

// A multi-reader single-writer lock. Any number of threads may hold it shared, or one thread
// exclusively. Holds nest: the exclusive holder may take it shared or exclusive again, and a
// reader may take it shared again. A thread that is the only reader may take it exclusively.
class TLangGuard {
public:
    TLangGuard() = default;
    TLangGuard(const TLangGuard&) = delete;
    TLangGuard& operator=(const TLangGuard&) = delete;

    void BeginRead();
    void EndRead();
    void BeginWrite();
    void EndWrite();

private:
    bool IsWriter() const;

    mutable std::mutex FMutex;
    std::condition_variable FChanged;
    std::map<std::thread::id, std::size_t> FReaders;  // shared holds per thread
    std::thread::id FWriter;                          // the exclusive holder, if any
    std::size_t FWriteDepth = 0;
};

// Shared hold for a scope.
class TLangReadLock {
public:
    explicit TLangReadLock(TLangGuard& guard) : FGuard(guard) { FGuard.BeginRead(); }
    ~TLangReadLock() { FGuard.EndRead(); }
    TLangReadLock(const TLangReadLock&) = delete;
    TLangReadLock& operator=(const TLangReadLock&) = delete;

private:
    TLangGuard& FGuard;
};

// Exclusive hold for a scope, which may be given up early.
class TLangWriteLock {
public:
    explicit TLangWriteLock(TLangGuard& guard) : FGuard(guard) { FGuard.BeginWrite(); }
    ~TLangWriteLock() { Release(); }
    TLangWriteLock(const TLangWriteLock&) = delete;
    TLangWriteLock& operator=(const TLangWriteLock&) = delete;
    void Release()
    {
        if (FHeld) {
            FHeld = false;
            FGuard.EndWrite();
        }
    }

private:
    TLangGuard& FGuard;
    bool FHeld = true;
};
