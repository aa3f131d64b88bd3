#include "review/assignment_files.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "format/assignment_file.h"
#include "system/path_text.h"
#include "system/whole_file.h"

namespace stepwise::review {

namespace fs = std::filesystem;

namespace {

// Far more than any assignment a person writes; a larger file is not one.
constexpr std::uintmax_t assignmentSizeLimit = 16 << 20;

// The *.stepwise files directly in a folder, by name.
std::vector<fs::path> assignmentsIn(const fs::path& folder, std::vector<std::string>& problems) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".stepwise" && it->is_regular_file()) files.push_back(it->path());
    if (error) problems.push_back("--assignment " + utf8Path(folder) + ": the folder cannot be read: " + error.message());
    std::sort(files.begin(), files.end());
    return files;
}

// Each file once, however often and by whatever spelling it is given.
bool firstTime(const fs::path& path, std::set<std::string>& seen) { return seen.insert(canonicalPathText(path)).second; }

void addFile(const fs::path& path, handin::KnownAssignments& known, std::vector<std::string>& problems,
             std::set<std::string>& seen) {
    if (!firstTime(path, seen)) return;
    const std::string shown = utf8Path(path);
    const Result<WholeFile> read = readWholeFile(path, assignmentSizeLimit);
    if (read.failure) {
        problems.push_back("--assignment " + shown + ": the file cannot be read: " + read.failure->reason);
        return;
    }
    const Assignment assignment = readAssignment(read.value.bytes);
    if (assignment.hasErrors()) {
        for (const AssignmentProblem& problem : assignment.problems) problems.push_back(describeProblem(shown, problem));
        return;
    }
    if (std::optional<std::string> clash = known.add(assignment, shown)) problems.push_back("--assignment: " + *clash);
}

}  // namespace

std::vector<std::string> addAssignmentFiles(const std::vector<fs::path>& given, handin::KnownAssignments& known) {
    std::vector<std::string> problems;
    std::set<std::string> seen;
    for (const fs::path& path : given) {
        std::error_code error;
        if (fs::is_directory(path, error)) {
            const std::vector<fs::path> files = assignmentsIn(path, problems);
            if (files.empty() && problems.empty())
                problems.push_back("--assignment " + utf8Path(path) + ": the folder holds no assignment file (*.stepwise)");
            for (const fs::path& file : files) addFile(file, known, problems, seen);
        } else {
            addFile(path, known, problems, seen);
        }
    }
    return problems;
}

}  // namespace stepwise::review
