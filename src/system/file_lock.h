#pragma once
// A lock that one process at a time holds, on a small file of its own that is never renamed or
// removed (flock on Linux, LockFileEx on Windows). The system lets it go when the process ends,
// however it ends.
#include <chrono>
#include <filesystem>

#include "system/system.h"

namespace stepwise {

class FileLock {
public:
    FileLock() = default;
    ~FileLock() { release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock of `lockFile` (created when missing), waiting up to `patience` for another
    // process to let it go. Fails with EWOULDBLOCK (no code on Windows) when it is still held then.
    Status acquire(const std::filesystem::path& lockFile, std::chrono::milliseconds patience);
    void release();

private:
    int handle_ = -1;
};

}  // namespace stepwise
