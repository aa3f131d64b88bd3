#include "author/author_run.h"

#include "author/assignment_input.h"
#include "author/author_options.h"
#include "author/author_output.h"
#include "author/check_report.h"
#include "author/preview_page.h"
#include "format/assignment_writer.h"
#include "system/path_text.h"

namespace stepwise::author {

namespace {

int usageError(const std::string& message, std::ostream& err) {
    const std::string usage = authorUsage();
    err << "stepwise-author: " << message << "\n"
        << usage.substr(0, usage.find("\nHelps")) << "\nTry 'stepwise-author --help' for more information.\n";
    return exitUsage;
}

int failure(const std::string& message, std::ostream& err) {
    err << "stepwise-author: " << message << "\n";
    return exitUsage;
}

int runBuiltin(const AuthorOptions& options, Console console) {
    const std::string file = writeAssignmentFile(builtinAssignmentSource());
    if (!options.output) {
        console.out << file;
        return exitClean;
    }
    const std::string problem = writeOutput(*options.output, file, Replacing::onlyWithForce, options.force);
    return problem.empty() ? exitClean : failure(problem, console.err);
}

int runCheck(const AuthorOptions& options, Console console) {
    CheckCount count;
    bool unreadable = false;
    for (const std::filesystem::path& path : options.files) {
        const Result<Assignment> read = readAssignmentFile(path);
        if (read.failure) {
            failure("cannot read " + utf8Path(path) + ": " + read.failure->reason, console.err);
            unreadable = true;
            continue;
        }
        console.out << problemLines(utf8Path(path), read.value);
        count.add(read.value);
    }
    console.out << checkSummary(count);
    if (unreadable) return exitUsage;
    return count.errors > 0 ? exitErrors : exitClean;
}

int runPreview(const AuthorOptions& options, Console console) {
    const std::filesystem::path& path = options.files.front();
    const Result<Assignment> read = readAssignmentFile(path);
    if (read.failure) return failure("cannot read " + utf8Path(path) + ": " + read.failure->reason, console.err);
    const std::string problem =
        writeOutput(*options.output, previewPage(utf8Path(path), read.value), Replacing::earlierPreview, options.force);
    if (!problem.empty()) return failure(problem, console.err);
    CheckCount count;
    count.add(read.value);
    console.out << problemLines(utf8Path(path), read.value) << checkSummary(count);
    return count.errors > 0 ? exitErrors : exitClean;
}

}  // namespace

int runAuthor(const std::vector<std::string>& arguments, Console console) {
    const ParsedAuthorOptions parsed = parseAuthorOptions(arguments);
    const AuthorOptions& options = parsed.options;
    if (options.help) {
        console.out << authorUsage();
        return exitClean;
    }
    if (options.version) {
        console.out << authorVersion();
        return exitClean;
    }
    if (!parsed.error.empty()) return usageError(parsed.error, console.err);
    switch (options.command) {
    case Command::builtin: return runBuiltin(options, console);
    case Command::check: return runCheck(options, console);
    case Command::preview: return runPreview(options, console);
    case Command::none: break;
    }
    return usageError("no command given", console.err);
}

}  // namespace stepwise::author
