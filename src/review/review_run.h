#pragma once
// One run of stepwise-review from its parsed command line to its exit status.
// Failures in this program: what the hand-ins hold wrong is a problem listed in the report (exit
// 1); an input or output the run cannot use is an exception derived from std::runtime_error
// (MarksFileError, FileReplaceError, ...) that only this run catches and turns into its message
// and exit status 2. Nothing below main() exits.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "review/review_options.h"

namespace stepwise::review {

enum ExitStatus { exitClean = 0, exitProblems = 1, exitUsage = 2 };

struct Console {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;         // progress lines only go to a terminal
};

// Parses the arguments (UTF-8, without the program name), reads the class, writes the reports
// asked for or the terminal summary, and lists the problems found on standard error.
int runReview(const std::vector<std::string>& arguments, Console console);

}  // namespace stepwise::review
