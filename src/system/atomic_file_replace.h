#pragma once
// Replaces a file so that it is never seen half written: the new content goes to a file beside
// it, is flushed to the disk, and only then takes the old file's name in one rename.
#include <filesystem>
#include <functional>
#include <string_view>

#include "system/system.h"

namespace stepwise {

// The file the new content is written to before the rename: "<name>.writing" beside `target`.
std::filesystem::path pendingReplacementPath(const std::filesystem::path& target);

// Writes `bytes` to `target`, replacing any file there in one step. On failure (disk full, no
// permission) the old file is left as it was, the pending file is removed and the failure names
// `target` and the reason. `beforeRename` runs after the new content is on disk and before the
// rename; the tests use it to stop the program at that point.
Status replaceFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                             const std::function<void()>& beforeRename = {});

}  // namespace stepwise
