#pragma once
// The command line of stepwise-author: one command and what it works on.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace stepwise::author {

enum class Command { none, builtin, check, preview };

struct AuthorOptions {
    bool help = false;
    bool version = false;
    Command command = Command::none;
    std::optional<std::filesystem::path> output;  // builtin -o FILE, preview --html FILE
    bool force = false;                           // replace an output that is not ours to replace
    std::vector<std::filesystem::path> files;     // check: the files; preview: the one file
};

struct ParsedAuthorOptions {
    AuthorOptions options;
    std::string error;  // a usage error in the author's words; "" when there is none
};

// Parses the arguments (UTF-8, without the program name). --help and --version win wherever they
// stand; "--" ends the options, so a file may be named "-x.stepwise".
ParsedAuthorOptions parseAuthorOptions(const std::vector<std::string>& arguments);

std::string authorUsage();
std::string authorVersion();

}  // namespace stepwise::author
