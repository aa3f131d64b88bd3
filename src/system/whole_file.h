#pragma once
// Reading a whole file into memory.
#include <cstdint>
#include <limits>
#include <string>

#include "system/system.h"

namespace stepwise {

struct WholeFile {
    std::string bytes;      // the content; when reading broke off, the bytes read before it
    bool brokeOff = false;  // the file was opened, but reading it failed part of the way
};

// For the callers that take a file of any size the memory holds.
inline constexpr std::uintmax_t anySize = std::numeric_limits<std::uintmax_t>::max();

// The bytes of the regular file at `path`, no more than `limit` of them. Only a regular file is
// opened: a named pipe would wait for a writer that may never come, and a device may never end.
// The failures and their codes: no such file, ENOENT; a folder, EISDIR; anything else that is not
// a regular file, "it is not a regular file" and 0; more than `limit` bytes, "it is larger than N
// bytes" and EFBIG; a file that cannot be opened, the system's reason; reading that breaks off,
// the system's reason (EIO when it gives none), with brokeOff and the bytes read before.
Result<WholeFile> readWholeFile(const std::filesystem::path& path, std::uintmax_t limit);

}  // namespace stepwise

namespace stepwise {

// The size of the regular file at `path`, a link followed; nothing when it is not a regular file
// or its size cannot be read (reading it tells why).
std::optional<std::uintmax_t> regularFileSize(const std::filesystem::path& path);

}  // namespace stepwise
