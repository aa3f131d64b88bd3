#pragma once
// Writing script lines as an assignment file (*.stepwise), the form format/assignment_file.h
// reads: UTF-8 without a byte-order mark, LF line ends, the header and its set title, then one
// block per script line with each paragraph on one line. Read back, the file gives the same
// script lines, byte for byte, for every line the file form can hold: paragraphs parted by
// CR LF CR LF, no other line break, no blanks at a paragraph's ends and no line that reads as a
// separator or a lone answer marker (the built-in assignment is such).
#include <string>
#include <vector>

#include "format/text.h"

namespace stepwise {

struct AssignmentSource {
    Text headerLine;          // "001.  Rates"
    Text setTitle;            // written as "set: ..." when not empty
    std::vector<Text> blocks; // the non-empty script lines after the header, in order
};

std::string writeAssignmentFile(const AssignmentSource& source);

// The built-in assignment as the author's tool writes it: set "ovla set", the non-empty script
// lines in order ("end program" last).
AssignmentSource builtinAssignmentSource();

}  // namespace stepwise
