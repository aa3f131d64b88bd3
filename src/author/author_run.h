#pragma once
// One run of stepwise-author from its command line to its exit status.
// Failures in this program: what an assignment file holds wrong is a problem the parser lists
// (exit 1 when any is an error); a usage error, a file that cannot be read and an output that
// cannot be written are told on standard error with exit status 2. Nothing throws; nothing below
// main() exits.
#include <ostream>
#include <string>
#include <vector>

namespace stepwise::author {

enum ExitStatus { exitClean = 0, exitErrors = 1, exitUsage = 2 };

struct Console {
    std::ostream& out;
    std::ostream& err;
};

// Runs the arguments (UTF-8, without the program name).
int runAuthor(const std::vector<std::string>& arguments, Console console);

}  // namespace stepwise::author
