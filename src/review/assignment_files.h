#pragma once
// The assignment files given with --assignment, read and checked as stepwise-author checks them.
#include <filesystem>
#include <string>
#include <vector>

#include "handin/known_assignments.h"

namespace stepwise::review {

// Adds each file, and each *.stepwise directly in each folder, to `known`. Returns the problems
// that make the run a usage error, one line each: a file or folder that cannot be read, a file's
// errors and warnings as "FILE:LINE: error: ..." (a file with warnings alone is taken), two files
// with the same header line. Empty when every file was taken.
std::vector<std::string> addAssignmentFiles(const std::vector<std::filesystem::path>& given,
                                            handin::KnownAssignments& known);

}  // namespace stepwise::review
