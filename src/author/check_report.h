#pragma once
// What `check` prints: each problem in the form editors jump to, and a closing count.
#include <cstddef>
#include <string>
#include <string_view>

#include "format/assignment_file.h"

namespace stepwise::author {

struct CheckCount {
    std::size_t files = 0;       // files read (those that could not be read are not counted)
    std::size_t errors = 0;
    std::size_t warnings = 0;

    void add(const Assignment& assignment);
};

// "FILE:LINE: error: ..." and "FILE:LINE: warning: ..." lines, in the order of the file.
std::string problemLines(std::string_view fileName, const Assignment& assignment);

// "2 files checked: 1 error, no warnings"
std::string checkSummary(const CheckCount& count);

}  // namespace stepwise::author
