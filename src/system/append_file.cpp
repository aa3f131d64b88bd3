#include "system/append_file.h"

#include <algorithm>
#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace stepwise {

namespace {

#ifdef _WIN32
// The Windows lock covers one byte far past the end of any real file, so that it never stands in
// the way of reading or writing the file itself.
OVERLAPPED lockedRange() {
    OVERLAPPED range{};
    range.Offset = 0xFFFFFFFEu;
    range.OffsetHigh = 0x7FFFFFFFu;
    return range;
}

HANDLE osHandle(int descriptor) { return reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)); }

constexpr int forAppending = _O_WRONLY | _O_APPEND | _O_CREAT;
constexpr int forWritingAnew = _O_WRONLY | _O_CREAT | _O_TRUNC;

int openDescriptor(const std::filesystem::path& path, int flags) {
    int descriptor = -1;
    const int error = _wsopen_s(&descriptor, path.c_str(), flags | _O_BINARY | _O_NOINHERIT, _SH_DENYNO,
                                _S_IREAD | _S_IWRITE);
    return error ? -error : descriptor;
}
#else
constexpr int forAppending = O_WRONLY | O_APPEND | O_CREAT;
constexpr int forWritingAnew = O_WRONLY | O_CREAT | O_TRUNC;

int openDescriptor(const std::filesystem::path& path, int flags) {
    const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    return descriptor >= 0 ? descriptor : -errno;
}
#endif

// Writes all bytes, in pieces the system call accepts, going on after interrupted calls.
int writeAll(int descriptor, std::string_view bytes, std::size_t& written) {
    written = 0;
    while (written < bytes.size()) {
        const std::size_t piece = std::min<std::size_t>(bytes.size() - written, 1u << 30);
#ifdef _WIN32
        const int result = _write(descriptor, bytes.data() + written, static_cast<unsigned>(piece));
#else
        const ssize_t result = ::write(descriptor, bytes.data() + written, piece);
        if (result < 0 && errno == EINTR) continue;
#endif
        if (result < 0) return errno ? errno : EIO;
        if (result == 0) return ENOSPC;
        written += static_cast<std::size_t>(result);
    }
    return 0;
}

int syncDescriptor(int descriptor) {
#ifdef _WIN32
    return _commit(descriptor) == 0 ? 0 : errno;
#else
    return fsync(descriptor) == 0 ? 0 : errno;
#endif
}

void closeDescriptor(int descriptor) {
#ifdef _WIN32
    _close(descriptor);
#else
    ::close(descriptor);
#endif
}

}  // namespace

AppendFile& AppendFile::operator=(AppendFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = other.handle_;
        locked_ = other.locked_;
        other.handle_ = -1;
        other.locked_ = false;
    }
    return *this;
}

int AppendFile::open(const std::filesystem::path& path) {
    close();
    const int descriptor = openDescriptor(path, forAppending);
    if (descriptor < 0) return -descriptor;
    handle_ = descriptor;
    return 0;
}

void AppendFile::close() {
    if (handle_ < 0) return;
    unlock();
    closeDescriptor(handle_);
    handle_ = -1;
}

int AppendFile::append(std::string_view bytes, std::size_t& written) { return writeAll(handle_, bytes, written); }

int AppendFile::size(long long& bytes) const {
#ifdef _WIN32
    bytes = _filelengthi64(handle_);
    return bytes < 0 ? errno : 0;
#else
    struct stat status {};
    if (fstat(handle_, &status) != 0) return errno;
    bytes = static_cast<long long>(status.st_size);
    return 0;
#endif
}

int AppendFile::syncToDisk() { return syncDescriptor(handle_); }

int AppendFile::cutBack(long long size) {
#ifdef _WIN32
    return _chsize_s(handle_, size);
#else
    return ftruncate(handle_, static_cast<off_t>(size)) == 0 ? 0 : errno;
#endif
}

int AppendFile::lock() {
#ifdef _WIN32
    OVERLAPPED range = lockedRange();
    if (!LockFileEx(osHandle(handle_), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &range)) return EACCES;
#else
    while (flock(handle_, LOCK_EX) != 0)
        if (errno != EINTR) return errno;
#endif
    locked_ = true;
    return 0;
}

void AppendFile::unlock() {
    if (!locked_) return;
#ifdef _WIN32
    OVERLAPPED range = lockedRange();
    UnlockFileEx(osHandle(handle_), 0, 1, 0, &range);
#else
    flock(handle_, LOCK_UN);
#endif
    locked_ = false;
}

int writeDurably(const std::filesystem::path& path, std::string_view bytes) {
    const int descriptor = openDescriptor(path, forWritingAnew);
    if (descriptor < 0) return -descriptor;
    std::size_t written = 0;
    int error = writeAll(descriptor, bytes, written);
    if (!error) error = syncDescriptor(descriptor);
    closeDescriptor(descriptor);
    return error;
}

int syncFolder(const std::filesystem::path& folder) {
#ifdef _WIN32
    (void)folder;  // NTFS keeps its directories in its own journal
    return 0;
#else
    const int descriptor = openDescriptor(folder.empty() ? std::filesystem::path(".") : folder, O_RDONLY | O_DIRECTORY);
    if (descriptor < 0) return -descriptor;
    const int error = syncDescriptor(descriptor);
    closeDescriptor(descriptor);
    return error == EINVAL || error == ENOTSUP ? 0 : error;  // file systems that cannot sync a folder
#endif
}

}  // namespace stepwise
