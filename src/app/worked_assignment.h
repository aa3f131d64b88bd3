#pragma once
// The assignment a run works: the built-in one, or one an instructor wrote in a file named on the
// command line. A file is read whole and checked before anything is asked or written; a file that
// cannot be read, or that holds an error, is refused with the message the student is shown.
// Warnings do not stop a lesson.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "format/assignment_file.h"
#include "format/text.h"

namespace stepwise {

// The largest assignment file taken: many times what the script table's 2,500 blocks could hold
// in prose, and small enough for any machine to read at once.
inline constexpr std::uintmax_t largestAssignmentFile = 16 * 1024 * 1024;

// The errors a refusal lists one by one; beyond them it counts the rest.
inline constexpr std::size_t errorsListed = 10;

inline constexpr std::u16string_view refusalOpening = u"This assignment cannot be started:";

struct AssignmentFileRead {
    Assignment assignment;  // what was read; to be worked only when `refusal` is empty
    Text refusal;           // why it cannot be worked, in the words the student is shown
};

// Reads and checks the file. The refusal names the file as it was given, then each error in the
// form "FILE:LINE: error: message".
AssignmentFileRead readAssignmentFile(const std::filesystem::path& file);

}  // namespace stepwise
