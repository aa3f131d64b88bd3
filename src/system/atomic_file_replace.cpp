#include "system/atomic_file_replace.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "system/append_file.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace stepwise {

namespace fs = std::filesystem;

namespace {

SystemError failure(const fs::path& file, int error) {
    return SystemError{file, std::generic_category().message(error), error};
}

// Puts `from` in the place of `to`, replacing it, in one step of the file system.
Status renameOver(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return std::nullopt;
    return SystemError{to, std::system_category().message(static_cast<int>(GetLastError())), 0};
#else
    if (std::rename(from.c_str(), to.c_str()) != 0) return failure(to, errno);
    // The rename itself reaches the disk when the folder's entry does; the file is in its place
    // either way.
    syncFolder(to.parent_path());
    return std::nullopt;
#endif
}

}  // namespace

fs::path pendingReplacementPath(const fs::path& target) {
    fs::path pending = target;
    pending += ".writing";
    return pending;
}

Status replaceFileAtomically(const fs::path& target, std::string_view bytes,
                             const std::function<void()>& beforeRename) {
    const fs::path pending = pendingReplacementPath(target);
    std::error_code ignored;
    if (const int error = writeDurably(pending, bytes)) {
        fs::remove(pending, ignored);
        return failure(target, error);
    }
    if (beforeRename) beforeRename();
    Status renamed = renameOver(pending, target);
    if (renamed) fs::remove(pending, ignored);
    return renamed;
}

}  // namespace stepwise
