#pragma once
// Assignment files (*.stepwise): an assignment an instructor writes in a text editor, read into
// the script lines the lesson reader takes. The file:
//
//   007.  Speed and distance          the header: three digits, a dot, the title
//   set: physics set                  options, "name: value" (only "set:", the set title)
//   ---                               a line holding only --- separates blocks
//   `q001.  How far does a car go     a block; its lines wrap, blank lines make paragraphs
//   in 2 hours at 60 km/h?
//   ---
//   `a
//   ---
//   It goes 120 km.                   the block after a lone `a is a worked answer
//   ---
//   end program
//
// Reading never fails as a whole: the problems found (errors and warnings, each with the line it
// is on) come back with what was read, and an assignment with errors is not to be worked.
#include <string>
#include <string_view>
#include <vector>

#include "format/text.h"

namespace stepwise {

struct AssignmentProblem {
    enum class Severity { error, warning };
    int line = 0;  // 1-based line of the file
    Severity severity = Severity::error;
    std::string message;  // UTF-8, in the words the author and the student see
};

struct AssignmentBlock {
    int line = 0;  // where the block's text begins
    Text text;     // the script line, as the lesson reader takes it (markers included)
};

struct Assignment {
    Text headerLine;      // "007.  Speed and distance": script line 1, the lesson header's line 3
    Text number;          // "007"
    Text nextNumber;      // "008": a block starting with it ends the program
    Text setTitle;        // the lesson header's line 4
    std::vector<AssignmentBlock> blocks;  // script lines 2, 4, 6, ...
    std::vector<AssignmentProblem> problems;

    bool hasErrors() const;
};

// The highest script index a block may take; the table holds indices up to 5000.
inline constexpr int lastAssignmentScriptIndex = 5000;

// The script index of the block at `position` (0-based): 2, 4, 6, ...
constexpr int scriptIndexOfBlock(std::size_t position) { return 2 + 2 * static_cast<int>(position); }

// Reads the file's bytes: UTF-8 (a byte-order mark is skipped), or Windows-1252 when they are not
// valid UTF-8; line ends LF, CR LF or CR.
Assignment readAssignment(std::string_view bytes);

// "FILE:LINE: error: message", the form editors jump to.
std::string describeProblem(std::string_view file, const AssignmentProblem& problem);

}  // namespace stepwise
