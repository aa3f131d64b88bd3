#pragma once
// Reading an assignment file from disk into what the parser makes of it.
#include <filesystem>

#include "format/assignment_file.h"
#include "system/system.h"

namespace stepwise::author {

// Larger than any assignment an author writes by hand (the script table holds 5001 lines).
inline constexpr std::uintmax_t assignmentFileLimit = 64u << 20;

// The parsed file, or the reason it cannot be read (missing, a folder, too large, unreadable).
Result<Assignment> readAssignmentFile(const std::filesystem::path& path);

}  // namespace stepwise::author
