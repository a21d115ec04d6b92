#pragma once

#include <string>

// An exclusive advisory lock (flock) on a lock file, held for the object's lifetime.
// The file is created when absent and never removed, so every process locks the same inode.
// The system drops the lock when the process ends, also when it is killed.
class TFileLock {
public:
    // Blocks until the lock is held; raises EOSError naming the file when it cannot be had.
    explicit TFileLock(const std::string& path);
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

private:
    int FHandle = -1;
};
