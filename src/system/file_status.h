#pragma once
// The failures of the lesson program's files, in the program's own text (see system/system.h).
#include <optional>
#include <vector>

#include "format/text.h"

namespace stepwise {

enum class FileMode { Append, Read };

// Why a file operation failed, in words a student can act on.
struct FileError {
    Text path;          // the path as the program formed it
    Text reason;        // the system's reason
    bool notFound = false;
    // Files that hold the record all the same: it could not be taken back out of them.
    std::vector<Text> keptRecord;
    bool badName = false;  // the folder is there, but a file of this name cannot be made in it
};

// No value: the operation succeeded.
using FileStatus = std::optional<FileError>;

}  // namespace stepwise
