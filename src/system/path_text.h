#pragma once
// Paths as text, converted here and nowhere else: in UTF-8 for messages, reports and the files
// that name a path, and in the program's own text for what the student is shown.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "format/text.h"

namespace stepwise {

// The path in UTF-8: on Windows its UTF-16 name converted, elsewhere the bytes of the name as they
// stand, which need not be UTF-8. pathFromUtf8 gives the same path back.
std::string utf8Path(const std::filesystem::path& path);
std::filesystem::path pathFromUtf8(std::string_view utf8);

// One text for every spelling of one file (links, "." and ".." resolved), in UTF-8; the path
// made lexically normal where it cannot be resolved.
std::string canonicalPathText(const std::filesystem::path& path);

// The path in the program's text, as the system names it.
Text pathText(const std::filesystem::path& path);

#ifdef _WIN32
// The arguments after the program name, which Windows gives in UTF-16, in UTF-8, so that folder
// and file names in any script reach the program whole.
std::vector<std::string> utf8Arguments(int argc, wchar_t** argv);
#endif

}  // namespace stepwise
