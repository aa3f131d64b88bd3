#pragma once
// The program forms Windows paths ("c:\qwelrand\send_1207Ann_Lee.txt"). On Windows they are used
// as they stand, unless a root is given (tests): then a leading drive letter stands for the root.
// Elsewhere a leading drive letter ("c:") stands for the home directory and every backslash is a
// separator, so the default folder is ~/qwelrand.
#include <filesystem>

#include "format/text.h"

namespace stepwise {

std::filesystem::path mapPath(const Text& programPath, const std::filesystem::path& driveRoot);

// The mapped path as the student's system names it: every separator the system's own ("\" on
// Windows, "/" elsewhere) and a run of separators shown as one, a leading "\\" of a network path
// excepted.
Text displayPath(const Text& programPath, const std::filesystem::path& driveRoot);

// The length of a file name in the units the file system counts: UTF-16 code units on Windows,
// UTF-8 bytes elsewhere.
std::size_t fileNameLength(const Text& fileName);

// The home directory ($HOME, or the current directory when it is not set); on Windows no root at all.
std::filesystem::path homeDirectory();

}  // namespace stepwise
