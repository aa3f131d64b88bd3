#pragma once
// A failed file operation as the program reports it: the path as the program formed it, and the
// system's reason for an errno value.
#include <cerrno>
#include <system_error>

#include "system/file_status.h"

namespace stepwise {

inline FileError fileErrorFor(const Text& path, int error) {
    return FileError{path, fromUtf8(std::generic_category().message(error)), error == ENOENT, {}};
}

}  // namespace stepwise
