#pragma once
// The program forms Windows paths ("c:\qwelrand\send_1207Ann_Lee.txt"). On Windows they are used
// as they stand, unless a root is given (tests): then a leading drive letter stands for the root.
// Elsewhere a leading drive letter ("c:") stands for the home directory and every backslash is a
// separator, so the default folder is ~/qwelrand.
#include <filesystem>

#include "platform/text.h"

namespace stepwise {

std::filesystem::path mapPath(const Text& programPath, const std::filesystem::path& driveRoot);

// The home directory ($HOME, or the current directory when it is not set); on Windows no root at all.
std::filesystem::path homeDirectory();

}  // namespace stepwise
