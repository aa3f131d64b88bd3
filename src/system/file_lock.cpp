#include "system/file_lock.h"

#include <cerrno>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace stepwise {

namespace {

constexpr std::chrono::milliseconds pollEvery(50);

#ifdef _WIN32
HANDLE osHandle(int descriptor) { return reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)); }

int openLockFile(const std::filesystem::path& path) {
    int descriptor = -1;
    const int error = _wsopen_s(&descriptor, path.c_str(), _O_RDWR | _O_CREAT | _O_BINARY | _O_NOINHERIT, _SH_DENYNO,
                                _S_IREAD | _S_IWRITE);
    return error ? -error : descriptor;
}

bool tryLock(int descriptor) {
    OVERLAPPED range{};
    return LockFileEx(osHandle(descriptor), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range);
}

void closeLockFile(int descriptor) { _close(descriptor); }
#else
int openLockFile(const std::filesystem::path& path) {
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    return descriptor >= 0 ? descriptor : -errno;
}

bool tryLock(int descriptor) { return ::flock(descriptor, LOCK_EX | LOCK_NB) == 0; }

void closeLockFile(int descriptor) { ::close(descriptor); }  // lets the lock go
#endif

}  // namespace

Status FileLock::acquire(const std::filesystem::path& lockFile, std::chrono::milliseconds patience) {
    release();
    const int descriptor = openLockFile(lockFile);
    if (descriptor < 0) return SystemError{lockFile, std::generic_category().message(-descriptor), -descriptor};
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (!tryLock(descriptor)) {
        if (std::chrono::steady_clock::now() >= giveUp) {
            closeLockFile(descriptor);
            return SystemError{lockFile, "another process holds it", EWOULDBLOCK};
        }
        std::this_thread::sleep_for(pollEvery);
    }
    handle_ = descriptor;
    return std::nullopt;
}

void FileLock::release() {
    if (handle_ >= 0) closeLockFile(handle_);
    handle_ = -1;
}

}  // namespace stepwise
