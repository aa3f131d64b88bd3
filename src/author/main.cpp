// stepwise-author: the instructor's tool for writing assignment files.
#include <iostream>
#include <string>
#include <vector>

#include "author/author_run.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "system/path_text.h"

// Arguments arrive as UTF-16, so file names in any script reach the program whole.
int wmain(int argc, wchar_t** argv) {
    const std::vector<std::string> arguments = stepwise::utf8Arguments(argc, argv);
    SetConsoleOutputCP(CP_UTF8);
    // The assignment `builtin` writes keeps its LF line ends, as on every system.
    _setmode(_fileno(stdout), _O_BINARY);
    return stepwise::author::runAuthor(arguments, {std::cout, std::cerr});
}
#else
int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return stepwise::author::runAuthor(arguments, {std::cout, std::cerr});
}
#endif
