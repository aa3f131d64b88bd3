#pragma once
// One run of stepwise-review from its parsed command line to its exit status.
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
