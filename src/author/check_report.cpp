#include "author/check_report.h"

namespace stepwise::author {

namespace {

std::string counted(std::size_t n, const char* one, const char* many) {
    if (n == 0) return std::string("no ") + many;
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

void CheckCount::add(const Assignment& assignment) {
    ++files;
    for (const AssignmentProblem& problem : assignment.problems)
        ++(problem.severity == AssignmentProblem::Severity::error ? errors : warnings);
}

std::string problemLines(std::string_view fileName, const Assignment& assignment) {
    std::string out;
    for (const AssignmentProblem& problem : assignment.problems) out += describeProblem(fileName, problem) + "\n";
    return out;
}

std::string checkSummary(const CheckCount& count) {
    return counted(count.files, "file", "files") + " checked: " + counted(count.errors, "error", "errors") + ", " +
           counted(count.warnings, "warning", "warnings") + "\n";
}

}  // namespace stepwise::author
