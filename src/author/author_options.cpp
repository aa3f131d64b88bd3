#include "author/author_options.h"

#include <algorithm>

#include "stepwise_version.h"
#include "system/path_text.h"

namespace stepwise::author {

namespace {

std::optional<Command> commandNamed(const std::string& name) {
    if (name == "builtin") return Command::builtin;
    if (name == "check") return Command::check;
    if (name == "preview") return Command::preview;
    return std::nullopt;
}

// The option that takes the next argument as its value, for this command; "" when there is none.
std::string valueOptionFor(Command command, const std::string& arg) {
    if (command == Command::builtin && (arg == "-o" || arg == "--output")) return arg;
    if (command == Command::preview && arg == "--html") return arg;
    return "";
}

// What the command needs besides its options; "" when it has it.
std::string missingFor(const AuthorOptions& options) {
    switch (options.command) {
    case Command::none: return "no command given: builtin, check or preview";
    case Command::builtin:
        if (!options.files.empty()) return "builtin takes no FILE (write it with -o FILE)";
        return "";
    case Command::check:
        if (options.files.empty()) return "check needs at least one FILE";
        return "";
    case Command::preview:
        if (!options.output) return "preview needs --html OUT";
        if (options.files.size() != 1) return "preview needs exactly one FILE";
        return "";
    }
    return "";
}

}  // namespace

ParsedAuthorOptions parseAuthorOptions(const std::vector<std::string>& arguments) {
    ParsedAuthorOptions parsed;
    AuthorOptions& options = parsed.options;
    const auto optionsEnd = std::find(arguments.begin(), arguments.end(), "--");
    options.help = std::find(arguments.begin(), optionsEnd, "--help") != optionsEnd;
    options.version = std::find(arguments.begin(), optionsEnd, "--version") != optionsEnd;
    if (options.help || options.version) return parsed;

    bool optionsOver = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (!optionsOver && arg == "--") {
            optionsOver = true;
        } else if (!optionsOver && arg.size() > 1 && arg[0] == '-') {
            if (!valueOptionFor(options.command, arg).empty()) {
                if (i + 1 == arguments.size()) return {options, arg + " needs a file name after it"};
                if (options.output) return {options, arg + " is given twice"};
                options.output = pathFromUtf8(arguments[++i]);
            } else if (arg == "--force" && (options.command == Command::builtin || options.command == Command::preview)) {
                options.force = true;
            } else {
                return {options, "unknown option " + arg +
                                     (options.command == Command::none ? "" : " for this command")};
            }
        } else if (options.command == Command::none) {
            const std::optional<Command> command = commandNamed(arg);
            if (!command) return {options, "unknown command " + arg + ": builtin, check or preview"};
            options.command = *command;
        } else {
            options.files.push_back(pathFromUtf8(arg));
        }
    }
    parsed.error = missingFor(options);
    return parsed;
}

std::string authorUsage() {
    return "Usage: stepwise-author builtin [-o FILE [--force]]\n"
           "       stepwise-author check FILE...\n"
           "       stepwise-author preview --html OUT [--force] FILE\n"
           "Helps instructors write assignment files (*.stepwise) for the Stepwise student program.\n"
           "\n"
           "  builtin       write the built-in assignment as an assignment file, to start from\n"
           "    -o FILE     write it to FILE instead of standard output; an existing FILE is\n"
           "                only replaced with --force\n"
           "  check         report every problem of each FILE as FILE:LINE: error: ... or\n"
           "                FILE:LINE: warning: ..., then a summary\n"
           "  preview       write one self-contained web page showing each block of FILE as the\n"
           "    --html OUT  student will see it, its kind and the problems beside it; an earlier\n"
           "                preview at OUT is replaced, any other file only with --force\n"
           "  --help        show this help and exit\n"
           "  --version     show the version and exit\n"
           "\n"
           "The file format is described in stepwise-assignment(5).\n"
           "Exit status: 0 when no file has errors (warnings allowed), 1 when some file has\n"
           "errors, 2 for a usage error or a file that cannot be read or written.\n";
}

std::string authorVersion() { return std::string("stepwise-author ") + stepwiseVersion + "\n"; }

}  // namespace stepwise::author
