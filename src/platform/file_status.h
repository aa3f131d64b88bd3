#pragma once
#include <optional>

#include "platform/text.h"

namespace stepwise {

enum class FileMode { Append, Read };

// Why a file operation failed, in words a student can act on.
struct FileError {
    Text path;          // the path as the program formed it
    Text reason;        // the system's reason
    bool notFound = false;
};

// No value: the operation succeeded.
using FileStatus = std::optional<FileError>;

}  // namespace stepwise
