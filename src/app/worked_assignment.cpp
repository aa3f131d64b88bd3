#include "app/worked_assignment.h"

#include <string>

#include "app/main_form.h"
#include "system/path_text.h"
#include "system/whole_file.h"

namespace stepwise {

namespace {

using Severity = AssignmentProblem::Severity;

Text refusalOf(const std::vector<Text>& lines) {
    Text message(refusalOpening);
    message += u"\r\n";
    for (const Text& line : lines) message += u"\r\n" + line;
    return message;
}

Text unreadable(const std::filesystem::path& file, const SystemError& failure) {
    return refusalOf({pathText(file) + u": error: the file cannot be read: " + fromUtf8(failure.reason)});
}

Text faulty(const std::filesystem::path& file, const Assignment& assignment) {
    const std::string name = utf8Path(file);
    std::vector<Text> lines;
    std::size_t errors = 0;
    for (const AssignmentProblem& problem : assignment.problems) {
        if (problem.severity != Severity::error) continue;
        if (++errors <= errorsListed) lines.push_back(fromUtf8(describeProblem(name, problem)));
    }
    if (errors > errorsListed) {
        const std::size_t more = errors - errorsListed;
        lines.push_back(u"... and " + fromUtf8(std::to_string(more)) + (more == 1 ? u" more error." : u" more errors."));
    }
    return refusalOf(lines);
}

}  // namespace

AssignmentFileRead readAssignmentFile(const std::filesystem::path& file) {
    AssignmentFileRead read;
    const Result<WholeFile> bytes = readWholeFile(file, largestAssignmentFile);
    if (!bytes) {
        read.refusal = unreadable(file, *bytes.failure);
        return read;
    }
    read.assignment = readAssignment(bytes.value.bytes);
    if (read.assignment.hasErrors()) read.refusal = faulty(file, read.assignment);
    return read;
}

void MainForm::useAssignmentFile(std::filesystem::path file) { assignmentFile_ = std::move(file); }

// Before anything is asked or written: a file that cannot be worked ends the program here.
void MainForm::takeAssignmentFile() {
    AssignmentFileRead read = readAssignmentFile(*assignmentFile_);
    if (!read.refusal.empty()) {
        assignmentRefused_ = true;
        platform_.showMessage(read.refusal);
        endProgram();
    }
    assignment_ = std::move(read.assignment);
    state_.assignmentTitle = assignment_->setTitle;
}

Text MainForm::firstAssignmentNumber() const { return assignment_ ? assignment_->number : Text(u"1"); }

}  // namespace stepwise
