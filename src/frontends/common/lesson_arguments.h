#pragma once
// The student program's command line after its name, on every front end: stepwise [FILE]. The
// arguments come as paths, so that a file name reaches the program as the system gave it (bytes
// on Linux, UTF-16 on Windows), whatever its characters.
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "format/text.h"

namespace stepwise {

inline constexpr std::u16string_view lessonUsage = u"Usage: stepwise [FILE]";

struct LessonArguments {
    std::optional<std::filesystem::path> assignmentFile;  // none: the built-in assignment
    Text problem;  // why the lesson cannot start, such as "unknown option -x"; "" when it can
};

// At most one FILE. An argument beginning with "-" is an option, and the lesson knows none (the
// front end answers its own first); "--" ends the options, so that a file whose name begins with
// "-" can be named.
LessonArguments lessonArguments(const std::vector<std::filesystem::path>& arguments);

}  // namespace stepwise
