#include "system/output_set.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <random>
#include <stdexcept>
#include <system_error>

#include "system/append_file.h"
#include "system/path_text.h"
#include "system/side_thread.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace stepwise {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view temporaryPrefix = ".stepwise-review-";
constexpr std::string_view temporarySuffix = ".tmp";

SystemError failure(const fs::path& file, int error) {
    return SystemError{file, std::generic_category().message(error), error};
}

std::string randomName() {
    static std::random_device source;
    static const char digits[] = "0123456789abcdef";
    std::string name(temporaryPrefix);
    for (int i = 0; i < 16; ++i) name += digits[source() & 15];
    return name + std::string(temporarySuffix);
}

fs::path folderOf(const fs::path& path) { return path.has_parent_path() ? path.parent_path() : fs::path("."); }

}  // namespace

fs::path followLinks(fs::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) break;
        const fs::path named = fs::read_symlink(path, error);
        if (error) break;
        path = named.is_absolute() ? named : path.parent_path() / named;
    }
    return path;
}

namespace {

// The temporary files of every set, removed when the program is stopped; and what keeps a stop
// from coming in the middle of the moves.
struct Registry {
    std::vector<fs::path> temporaries;
    std::vector<fs::path> madeFolders;  // made by this run for its outputs, removed again on a stop
#ifdef _WIN32
    std::recursive_mutex lock;
    std::atomic<bool> stopAsked{false};
#endif
};

Registry& registry() {
    static Registry* instance = new Registry;  // never destroyed: a late signal may still read it
    return *instance;
}

// Holds off SIGINT and SIGTERM (the console's events on Windows) while it lives; stopAsked()
// tells whether one arrived meanwhile.
class StopsHeld {
public:
#ifdef _WIN32
    StopsHeld() : guard_(registry().lock) {}
    bool stopAsked() const { return registry().stopAsked.load(); }

private:
    std::lock_guard<std::recursive_mutex> guard_;
#else
    StopsHeld() {
        sigset_t stops;
        sigemptyset(&stops);
        sigaddset(&stops, SIGINT);
        sigaddset(&stops, SIGTERM);
        sigaddset(&stops, SIGHUP);
        pthread_sigmask(SIG_BLOCK, &stops, &before_);
    }
    ~StopsHeld() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
    bool stopAsked() const {
        sigset_t pending;
        sigpending(&pending);
        return sigismember(&pending, SIGINT) == 1 || sigismember(&pending, SIGTERM) == 1 ||
               sigismember(&pending, SIGHUP) == 1;
    }

private:
    sigset_t before_;
#endif
};

void forget(const fs::path& temporary) {
    auto& list = registry().temporaries;
    list.erase(std::remove(list.begin(), list.end(), temporary), list.end());
}

void removeQuietly(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

// Removes the files two at a time, the largest first: freeing a large file's blocks takes a while.
void removeAllQuietly(std::vector<fs::path> paths) {
    if (paths.size() < 2) {
        for (const fs::path& path : paths) removeQuietly(path);
        return;
    }
    std::vector<std::pair<std::uintmax_t, fs::path>> bySize;
    for (fs::path& path : paths) {
        std::error_code unknown;
        const std::uintmax_t size = fs::file_size(path, unknown);
        bySize.emplace_back(unknown ? 0 : size, std::move(path));
    }
    std::sort(bySize.begin(), bySize.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<fs::path> mine, other;
    std::uintmax_t mineSize = 0, otherSize = 0;
    for (auto& [size, path] : bySize) {
        if (mineSize <= otherSize) {
            mineSize += size;
            mine.push_back(std::move(path));
        } else {
            otherSize += size;
            other.push_back(std::move(path));
        }
    }
    std::thread beside = threadWithoutStopSignals([&other] {
        for (const fs::path& path : other) removeQuietly(path);
    });
    for (const fs::path& path : mine) removeQuietly(path);
    if (beside.joinable()) beside.join();
    else
        for (const fs::path& path : other) removeQuietly(path);  // no thread to be had
}

#ifdef _WIN32
int openExclusive(const fs::path& path) {
    int descriptor = -1;
    const int error = _wsopen_s(&descriptor, path.c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                _SH_DENYNO, _S_IREAD | _S_IWRITE);
    return error ? -error : descriptor;
}
int writeSome(int descriptor, const char* bytes, std::size_t size) {
    return _write(descriptor, bytes, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}
int readSome(int descriptor, char* bytes, std::size_t size) {
    return _read(descriptor, bytes, static_cast<unsigned>(size));
}
bool rewind(int descriptor) { return _lseeki64(descriptor, 0, SEEK_SET) == 0; }
std::optional<int> copyInKernel(int, int) { return std::nullopt; }
int syncDescriptor(int descriptor) { return _commit(descriptor) == 0 ? 0 : errno; }
void closeDescriptor(int descriptor) { _close(descriptor); }

std::string windowsReason(DWORD code, const fs::path& target) {
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_UNABLE_TO_REMOVE_REPLACED ||
        code == ERROR_USER_MAPPED_FILE)
        return "close " + utf8Path(target.filename()) + " in the program that has it open, then run again";
    return std::system_category().message(static_cast<int>(code));
}

Status keepBackup(const fs::path& target, const fs::path& backup) {
    if (CopyFileW(target.c_str(), backup.c_str(), TRUE)) return std::nullopt;
    return SystemError{target, windowsReason(GetLastError(), target), 0};
}

// ReplaceFileW keeps the old file's ACL and attributes; a new output is moved.
Status moveInto(const fs::path& temporary, const fs::path& target, bool replacing) {
    if (replacing && ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                  REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr))
        return std::nullopt;
    if (replacing) {
        const DWORD code = GetLastError();
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_UNABLE_TO_REMOVE_REPLACED)
            return SystemError{target, windowsReason(code, target), 0};
    }
    if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return std::nullopt;
    return SystemError{target, windowsReason(GetLastError(), target), 0};
}

void putBack(const fs::path& backup, const fs::path& target) {
    MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void keepOwnerAndMode(const fs::path&, const fs::path&) {}  // ReplaceFileW does it

BOOL WINAPI onConsoleEvent(DWORD) {
    registry().stopAsked = true;
    std::lock_guard<std::recursive_mutex> held(registry().lock);  // the moves finish or are undone first
    for (const fs::path& temporary : registry().temporaries) DeleteFileW(temporary.c_str());
    for (const fs::path& folder : registry().madeFolders) RemoveDirectoryW(folder.c_str());
    ExitProcess(130);
    return TRUE;
}
#else
int openExclusive(const fs::path& path) {
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    return descriptor >= 0 ? descriptor : -errno;
}
int writeSome(int descriptor, const char* bytes, std::size_t size) {
    return static_cast<int>(::write(descriptor, bytes, std::min<std::size_t>(size, 1u << 30)));
}
int readSome(int descriptor, char* bytes, std::size_t size) { return static_cast<int>(::read(descriptor, bytes, size)); }
bool rewind(int descriptor) { return ::lseek(descriptor, 0, SEEK_SET) == 0; }

// Copies the rest of `from` onto `to` without bringing the bytes up into the program: 0 when
// done, the error when it failed, nothing when the system cannot (another kernel or file system),
// and the caller copies through a buffer. (Two threads copying halves gain nothing: the writes
// take turns at the file's lock.)
std::optional<int> copyInKernel([[maybe_unused]] int from, [[maybe_unused]] int to) {
#ifdef __linux__
    bool copiedSome = false;
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, std::size_t{1} << 30, 0);
        if (copied > 0) {
            copiedSome = true;
            continue;
        }
        if (copied == 0) return 0;
        if (errno == EINTR) continue;
        const bool unsupported = errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP;
        if (unsupported && !copiedSome) return std::nullopt;
        return errno;
    }
#else
    return std::nullopt;
#endif
}
int syncDescriptor(int descriptor) { return ::fsync(descriptor) == 0 || errno == EINVAL ? 0 : errno; }
void closeDescriptor(int descriptor) { ::close(descriptor); }

Status keepBackup(const fs::path& target, const fs::path& backup) {
    if (::link(target.c_str(), backup.c_str()) == 0) return std::nullopt;
    return failure(target, errno);
}

Status moveInto(const fs::path& temporary, const fs::path& target, bool) {
    if (std::rename(temporary.c_str(), target.c_str()) == 0) return std::nullopt;
    return failure(target, errno);
}

void putBack(const fs::path& backup, const fs::path& target) { std::rename(backup.c_str(), target.c_str()); }

// The new file takes the old one's owner (where the process may give it) and permission bits.
void keepOwnerAndMode(const fs::path& old, const fs::path& replacement) {
    struct stat status {};
    if (::stat(old.c_str(), &status) != 0) return;
    if (::chown(replacement.c_str(), status.st_uid, status.st_gid) != 0) {
        // Not the owner's to give: the new file stays the running user's.
    }
    ::chmod(replacement.c_str(), status.st_mode & 07777);
}

void onStopSignal(int signal) {
    for (const fs::path& temporary : registry().temporaries) ::unlink(temporary.c_str());
    // Emptied by the unlinks above unless outputs were moved into it: then rmdir leaves it.
    for (const fs::path& folder : registry().madeFolders) ::rmdir(folder.c_str());
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}
#endif

}  // namespace

Result<FileIdentity> fileIdentity(const fs::path& path) {
    Result<FileIdentity> result;
    const auto identify = [&](const fs::path& file) -> bool {
#ifdef _WIN32
        HANDLE handle = CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return false;
        BY_HANDLE_FILE_INFORMATION information{};
        const bool known = GetFileInformationByHandle(handle, &information);
        CloseHandle(handle);
        if (!known) return false;
        result.value.device = information.dwVolumeSerialNumber;
        result.value.index = (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
#else
        struct stat status {};
        if (::stat(file.c_str(), &status) != 0) return false;
        result.value.device = static_cast<std::uint64_t>(status.st_dev);
        result.value.index = static_cast<std::uint64_t>(status.st_ino);
#endif
        return true;
    };
    if (identify(path)) return result;
    const fs::path real = followLinks(path);
    if (identify(folderOf(real))) {
        std::string name = real.filename().string();
#if defined(_WIN32) || defined(__APPLE__)
        for (char& c : name)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
#endif
        result.value.name = name;
        return result;
    }
    result.failure = failure(path, ENOENT);
    return result;
}

OutputState outputState(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    switch (status.type()) {
    case fs::file_type::not_found: return {OutputKind::missing, false};
    case fs::file_type::regular: {
        const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        bool readOnly = (status.permissions() & writable) == fs::perms::none;
#ifndef _WIN32
        readOnly = readOnly || (::access(path.c_str(), W_OK) != 0 && errno == EACCES);
#endif
        return {OutputKind::regularFile, readOnly};
    }
    case fs::file_type::directory: return {OutputKind::folder, false};
    default: return {error ? OutputKind::missing : OutputKind::other, false};
    }
}

bool isOutputTemporaryName(std::string_view name) {
    return name.size() > temporaryPrefix.size() + temporarySuffix.size() && name.starts_with(temporaryPrefix) &&
           name.ends_with(temporarySuffix);
}

void removeStaleTemporaries(const fs::path& folder, std::chrono::seconds age) {
    std::error_code error;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code ignored;
        if (!isOutputTemporaryName(entry->path().filename().string()) || !entry->is_regular_file(ignored) ||
            entry->is_symlink(ignored))
            continue;
        const auto changed = entry->last_write_time(ignored);
        if (!ignored && now - changed > age) fs::remove(entry->path(), ignored);
    }
}

OutputSet::~OutputSet() { discard(); }

Result<std::size_t> OutputSet::add(const fs::path& target) {
    const fs::path real = followLinks(target);
    return create(folderOf(real), real, false);
}

Result<std::size_t> OutputSet::addScratch(const fs::path& besideOutput) {
    return create(folderOf(followLinks(besideOutput)), {}, true);
}

fs::path outputFolder(const fs::path& output) { return folderOf(followLinks(output)); }

Result<bool> makeFolder(const fs::path& folder) {
    Result<bool> result;
    std::error_code error;
    StopsHeld held;  // a stop removes the folder again once it is listed, not before
    result.value = fs::create_directory(folder, error);
    if (error) result.failure = SystemError{folder, error.message(), error.value()};
    else if (result.value) registry().madeFolders.push_back(fs::absolute(folder, error));
    return result;
}

void removeEmptyFolder(const fs::path& folder) {
    StopsHeld held;
    std::error_code ignored;
    if (fs::is_empty(folder, ignored) && !ignored) fs::remove(folder, ignored);
    auto& made = registry().madeFolders;
    const fs::path absolute = fs::absolute(folder, ignored);
    made.erase(std::remove(made.begin(), made.end(), absolute), made.end());
}

Result<std::size_t> OutputSet::create(const fs::path& folder, fs::path target, bool scratch) {
    Result<std::size_t> result;
    File file{std::move(target), {}, {}, -1, scratch, false};
    for (int attempt = 0; attempt < 100; ++attempt) {
        file.temporary = folder / randomName();
        StopsHeld held;
        file.descriptor = openExclusive(file.temporary);
        if (file.descriptor >= 0) {
            registry().temporaries.push_back(file.temporary);
            break;
        }
        if (-file.descriptor != EEXIST) {
            result.failure = failure(scratch ? folder : file.target, -file.descriptor);
            return result;
        }
    }
    if (file.descriptor < 0) {
        result.failure = failure(scratch ? folder : file.target, EEXIST);
        return result;
    }
    result.value = files_.size();
    files_.push_back(std::move(file));
    return result;
}

Status OutputSet::write(std::size_t output, std::string_view bytes) {
    File& file = files_.at(output);
    if (file.descriptor < 0) throw std::logic_error("an output written after it was closed");
    while (!bytes.empty()) {
        const int written = writeSome(file.descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return failure(file.scratch ? file.temporary : file.target, written < 0 ? errno : EIO);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

Status OutputSet::copy(std::size_t from, std::size_t to) {
    File& source = files_.at(from);
    if (source.descriptor < 0 || !rewind(source.descriptor)) return failure(source.temporary, EIO);
    File& target = files_.at(to);
    if (target.descriptor < 0) throw std::logic_error("an output written after it was closed");
    if (const std::optional<int> copied = copyInKernel(source.descriptor, target.descriptor)) {
        if (*copied) return failure(target.scratch ? target.temporary : target.target, *copied);
        removeAside(source);
        return std::nullopt;
    }
    std::string buffer(1 << 16, '\0');
    for (;;) {
        const int got = readSome(source.descriptor, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return failure(source.temporary, errno);
        if (got == 0) break;
        if (Status written = write(to, std::string_view(buffer.data(), static_cast<std::size_t>(got)))) return written;
    }
    removeAside(source);
    return std::nullopt;
}

// Freeing a large file's blocks takes a while: a copied scratch file is closed and removed on a
// second thread while the outputs are finished and moved into place.
void OutputSet::removeAside(File& scratch) {
    if (!scratch.scratch) return;
    if (removing_.joinable()) removing_.join();
    const int descriptor = scratch.descriptor;
    scratch.descriptor = -1;  // a scratch file without its descriptor is gone
    const fs::path path = scratch.temporary;
    removing_ = threadWithoutStopSignals([descriptor, path] {
        closeDescriptor(descriptor);
        removeQuietly(path);
    });
    if (removing_.joinable()) return;
    closeDescriptor(descriptor);  // no thread to be had
    removeQuietly(path);
}

Status OutputSet::close(std::size_t output) {
    File& file = files_.at(output);
    if (file.descriptor < 0) return std::nullopt;
    const int error = syncDescriptor(file.descriptor);
    closeDescriptor(file.descriptor);
    file.descriptor = -1;
    if (error) return failure(file.target, error);
    return std::nullopt;
}

Status OutputSet::commit(const std::function<void(std::size_t)>& betweenMoves) {
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (!files_[i].scratch)
            if (Status closed = close(i)) return closed;
    StopsHeld held;
    // Every existing output kept before the first move.
    for (File& file : files_) {
        std::error_code error;
        if (file.scratch || !fs::exists(fs::symlink_status(file.target, error))) continue;
        keepOwnerAndMode(file.target, file.temporary);
        for (int attempt = 0; attempt < 100 && file.backup.empty(); ++attempt) {
            const fs::path backup = folderOf(file.target) / randomName();
            if (fs::exists(fs::symlink_status(backup, error))) continue;
            if (Status kept = keepBackup(file.target, backup)) {
                rollBack();
                return kept;
            }
            file.backup = backup;
        }
    }
    std::vector<fs::path> folders;
    std::size_t moved = 0;
    for (File& file : files_) {
        if (file.scratch) continue;
        if (held.stopAsked()) {
            const fs::path stoppedAt = file.target;
            rollBack();
            return SystemError{stoppedAt, "the run was stopped", EINTR};
        }
        if (Status failed = moveInto(file.temporary, file.target, !file.backup.empty())) {
            rollBack();
            return failed;
        }
        file.moved = true;
        forget(file.temporary);
        folders.push_back(folderOf(file.target));
        if (betweenMoves) betweenMoves(++moved);
    }
    if (held.stopAsked()) {
        const fs::path stoppedAt = files_.empty() ? fs::path() : files_.back().target;
        rollBack();
        return SystemError{stoppedAt, "the run was stopped", EINTR};
    }
    std::vector<fs::path> backups;
    for (File& file : files_) {
        if (!file.backup.empty()) backups.push_back(file.backup);
        file.backup.clear();
    }
    registry().madeFolders.clear();  // they hold the outputs now
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    for (const fs::path& folder : folders) syncFolder(folder);
    discardRemoving(std::move(backups));  // and the scratch files
    return std::nullopt;
}

void OutputSet::rollBack() {
    for (File& file : files_) {
        if (file.moved) {
            if (!file.backup.empty()) putBack(file.backup, file.target);
            else removeQuietly(file.target);  // made by this run
            file.moved = false;
        } else if (!file.backup.empty()) {
            removeQuietly(file.backup);
        }
        file.backup.clear();
    }
    discard();
}

void OutputSet::discard() { discardRemoving({}); }

void OutputSet::discardRemoving(std::vector<fs::path> alsoRemoved) {
    StopsHeld held;
    // Closed first: a file still open keeps its blocks (and on Windows its name) until closed.
    for (File& file : files_) {
        const bool removedAside = file.scratch && file.descriptor < 0;
        if (file.descriptor >= 0) closeDescriptor(file.descriptor);
        file.descriptor = -1;
        if (!file.moved && !removedAside) alsoRemoved.push_back(file.temporary);
    }
    removeAllQuietly(std::move(alsoRemoved));
    if (removing_.joinable()) removing_.join();
    for (File& file : files_)
        if (!file.moved) forget(file.temporary);
    files_.clear();
}

void OutputSet::stopCleanlyOnSignals() {
    registry();
#ifdef _WIN32
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
#else
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
#endif
}

}  // namespace stepwise
