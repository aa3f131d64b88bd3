// stepwise-review: the instructor's program. Reads a class's hand-in files into reports.
#include <iostream>
#include <string>
#include <vector>

#include "review/review_run.h"
#include "system/output_set.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "system/path_text.h"

// Arguments arrive as UTF-16, so folder and file names in any script reach the program whole.
int wmain(int argc, wchar_t** argv) {
    const std::vector<std::string> arguments = stepwise::utf8Arguments(argc, argv);
    SetConsoleOutputCP(CP_UTF8);
    stepwise::OutputSet::stopCleanlyOnSignals();
    const bool errIsTerminal = _isatty(_fileno(stderr)) != 0;
    return stepwise::review::runReview(arguments, {std::cout, std::cerr, errIsTerminal});
}
#else
#include <unistd.h>

int main(int argc, char** argv) {
    stepwise::OutputSet::stopCleanlyOnSignals();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return stepwise::review::runReview(arguments, {std::cout, std::cerr, isatty(STDERR_FILENO) != 0});
}
#endif
