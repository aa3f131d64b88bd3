#include "review/atomic_file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace stepwise::review {

namespace fs = std::filesystem;

namespace {

std::string utf8Path(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

[[noreturn]] void fail(const fs::path& file, const std::string& reason) {
    throw FileReplaceError("cannot write " + utf8Path(file) + ": " + reason);
}

std::string lastErrorText() { return std::strerror(errno); }

// Flushes the file's content from the system's buffers to the disk.
bool syncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return ::fsync(fileno(file)) == 0;
#endif
}

std::FILE* openForWriting(const fs::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

// Writes the whole content and puts it on the disk; the reason when that fails.
std::string writeDurably(const fs::path& path, std::string_view bytes) {
    std::FILE* file = openForWriting(path);
    if (!file) return lastErrorText();
    std::string reason;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fflush(file) != 0 ||
        !syncToDisk(file))
        reason = lastErrorText();
    if (std::fclose(file) != 0 && reason.empty()) reason = lastErrorText();
    return reason;
}

// Puts `from` in the place of `to`, replacing it, in one step of the file system.
std::string renameOver(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
    return std::system_category().message(static_cast<int>(GetLastError()));
#else
    if (std::rename(from.c_str(), to.c_str()) != 0) return lastErrorText();
    // The rename itself reaches the disk when the folder's entry does.
    const fs::path folder = to.has_parent_path() ? to.parent_path() : fs::path(".");
    const int folderHandle = ::open(folder.c_str(), O_RDONLY);
    if (folderHandle >= 0) {
        ::fsync(folderHandle);
        ::close(folderHandle);
    }
    return {};
#endif
}

}  // namespace

fs::path pendingReplacementPath(const fs::path& target) {
    fs::path pending = target;
    pending += ".writing";
    return pending;
}

void replaceFileAtomically(const fs::path& target, std::string_view bytes,
                           const std::function<void()>& beforeRename) {
    const fs::path pending = pendingReplacementPath(target);
    std::error_code ignored;
    const std::string reason = writeDurably(pending, bytes);
    if (!reason.empty()) {
        fs::remove(pending, ignored);
        fail(target, reason);
    }
    if (beforeRename) beforeRename();
    const std::string renameReason = renameOver(pending, target);
    if (!renameReason.empty()) {
        fs::remove(pending, ignored);
        fail(target, renameReason);
    }
}

}  // namespace stepwise::review
