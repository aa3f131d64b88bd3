#include "author/check_report.h"

#include "format/html_escape.h"

namespace stepwise::author {

namespace {

std::string counted(std::size_t n, const char* one, const char* many) {
    if (n == 0) return std::string("no ") + many;
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// A line as a terminal shows it: a control character the author's text carries (an escape in a
// routine's name, say) shown as its picture, never acted on.
std::string visibleLine(const std::string& line) {
    std::string out;
    for (char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) appendControlPicture(out, byte);
        else out += c;
    }
    return out;
}

}  // namespace

void CheckCount::add(const Assignment& assignment) {
    ++files;
    for (const AssignmentProblem& problem : assignment.problems)
        ++(problem.severity == AssignmentProblem::Severity::error ? errors : warnings);
}

std::string problemLines(std::string_view fileName, const Assignment& assignment) {
    std::string out;
    for (const AssignmentProblem& problem : assignment.problems) out += visibleLine(describeProblem(fileName, problem)) + "\n";
    return out;
}

std::string checkSummary(const CheckCount& count) {
    return counted(count.files, "file", "files") + " checked: " + counted(count.errors, "error", "errors") + ", " +
           counted(count.warnings, "warning", "warnings") + "\n";
}

}  // namespace stepwise::author
