#include "review/output_checks.h"

#include <optional>
#include <utility>
#include <vector>

#include "handin/handin_file.h"
#include "system/output_set.h"
#include "system/path_text.h"

namespace stepwise::review {

namespace fs = std::filesystem;

namespace {

struct Output {
    const char* option;
    fs::path path;
    bool folder = false;
    std::optional<FileIdentity> identity;
};

std::string shown(const fs::path& path) { return utf8Path(path); }

bool handinName(const fs::path& path) { return handin::parseHandinName(utf8Path(path.filename())).has_value(); }

std::string checkOne(Output& output) {
    const std::string prefix = std::string(output.option) + ": " + shown(output.path);
    if (handinName(output.path) || handinName(followLinks(output.path)))
        return prefix + " has a hand-in file's name (send_MMDD<name>.txt); the next review would read it as one";
    const OutputState state = outputState(output.path);
    if (output.folder) {
        if (state.kind != OutputKind::missing && state.kind != OutputKind::folder) return prefix + " is not a folder";
        if (state.kind == OutputKind::missing && outputState(outputFolder(output.path)).kind != OutputKind::folder)
            return prefix + ": the folder it is in does not exist";
    } else {
        if (state.kind == OutputKind::folder) return prefix + " is a folder, not a file";
        if (state.kind == OutputKind::other) return prefix + " is not a regular file (a device or a pipe)";
        if (state.readOnly) return prefix + " is read-only; make it writable or name another file";
    }
    const Result<FileIdentity> identity = fileIdentity(output.path);
    if (identity.failure) return prefix + ": the folder it is in does not exist";
    output.identity = identity.value;
    return {};
}

}  // namespace

std::string checkOutputs(const ReviewOptions& options, const std::vector<handin::HandinSource>& found) {
    for (const fs::path& path : options.paths)
        if (outputState(path).kind == OutputKind::missing) return "no such file or folder: " + shown(path);

    std::vector<Output> outputs;
    const std::pair<const char*, const std::optional<fs::path>*> named[] = {
        {"--html", &options.html}, {"--csv", &options.csv}, {"--marks", &options.marks},
        {"--students-csv", &options.studentsCsv}, {"--assignments-csv", &options.assignmentsCsv},
        {"--feedback", &options.feedback}};
    for (const auto& [option, path] : named)
        if (*path) outputs.push_back({option, **path, path == &options.feedback, std::nullopt});
    if (outputs.empty()) return {};
    for (Output& output : outputs)
        if (std::string problem = checkOne(output); !problem.empty()) return problem;
    for (std::size_t i = 0; i < outputs.size(); ++i)
        for (std::size_t k = i + 1; k < outputs.size(); ++k)
            if (outputs[i].identity == outputs[k].identity)
                return std::string(outputs[i].option) + " and " + outputs[k].option + " name the same file";

    // The inputs: each PATH and each hand-in file found under them.
    std::vector<fs::path> inputs = options.paths;
    for (const handin::HandinSource& source : found) inputs.push_back(source.diskFile());
    for (const fs::path& input : inputs) {
        const Result<FileIdentity> identity = fileIdentity(input);
        if (identity.failure) continue;
        for (const Output& output : outputs)
            if (output.identity == identity.value)
                return std::string(output.option) + ": " + shown(output.path) + " is the input " + shown(input) +
                       "; name another file";
    }
    return {};
}

fs::path marksLockPath(const fs::path& marks) {
    const fs::path real = followLinks(marks);
    fs::path lock = real.parent_path();
    return lock / pathFromUtf8("." + utf8Path(real.filename()) + ".lock");
}

}  // namespace stepwise::review
