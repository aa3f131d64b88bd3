#pragma once
// The lesson header: the five lines that open each run of the program in the master and SEND
// files, before its first record.
//   1. the code line: random characters, each a single-byte code from 118 to 255, perhaps after
//      one from 66 to 116
//   2. the assignment line: "assignment #" and the assignment's number ("assignment #001")
//   3. the assignment's header line in the script ("001.  Rates")
//   4. the title line, "ovla set"
//   5. the date, "12-07-2026" (format/stamps.h)
#include <cstddef>

#include "format/text.h"

namespace stepwise {

inline constexpr std::size_t lessonHeaderLineCount = 5;

// The codes of the code line's characters.
struct CodeRange {
    int first;
    int last;
};
inline constexpr CodeRange codeLineCodes = {118, 255};
inline constexpr CodeRange codeLineCodesBefore = {66, 116};  // at most one, before one of the above

inline constexpr char16_t assignmentLineOpening[] = u"assignment #";
inline constexpr char16_t assignmentTitleLine[] = u"ovla set";

// An assignment's number as the assignment line writes it: "1" gives "001", "12" gives "012";
// other lengths stay as they are.
inline Text threeDigits(const Text& number) {
    if (number.size() == 1) return u"00" + number;
    if (number.size() == 2) return u"0" + number;
    return number;
}

}  // namespace stepwise
