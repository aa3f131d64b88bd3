#include "review/marks_run.h"

#include <stdexcept>

#include "format/markers.h"
#include "review/handin_findings.h"
#include "review/report_text.h"
#include "system/path_text.h"

namespace stepwise::review {

namespace {

const std::vector<MarksNotice> noNotices;

std::string medianCell(const std::optional<double>& median) { return median ? formatMedian(median) : std::string(); }

// The figures of a student's rows of one assignment.
CbmFigures assignmentFigures(const std::vector<MarksRow>& rows, const std::string& assignment) {
    std::vector<MarksRow> of;
    for (const MarksRow& row : rows)
        if (row.assignment == assignment) of.push_back(row);
    return studentMarks(of).figures;
}

FeedbackStudent feedbackFor(const Student& student, const std::vector<MarksRow>& rows,
                            const std::vector<Answer>& answers) {
    FeedbackStudent page{reportUtf8(student.name), {}};
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const handin::Record& record = *answers[i].record->record;
        FeedbackItem item{answers[i].question, questionText(record.block), std::string(answers[i].record->text),
                          reportUtf8(record.confidence.value_or(Text())), Mark::unmarked, false,
                          reportUtf8(answers[i].assignment->headerLine)};
        if (i < rows.size() && rows[i].counts()) {
            item.mark = rows[i].markValue();
            if (rows[i].state == RowState::changedSinceMarked) {
                // The mark is for the answer the marks file holds, with the rating given with it.
                item.answer = rows[i].response;
                item.confidence = rows[i].confidence;
                item.answeredAgain = true;
            }
        }
        page.items.push_back(std::move(item));
    }
    return page;
}

// A row's mark on the record of the answer it is for: the last answer to its question, or, for a
// mark given before the student answered again, the latest earlier answer with the row's text.
RecordMarks marksByRecord(const Student& student, const std::vector<MarksRow>& rows) {
    RecordMarks marks;
    const std::vector<Answer> answers = lastAnswers(student);
    for (std::size_t i = 0; i < answers.size() && i < rows.size(); ++i) {
        const MarksRow& row = rows[i];
        if (row.mark.empty()) continue;
        if (row.state == RowState::current) {
            marks[answers[i].record->record] = row.mark;
        } else if (row.state == RowState::changedSinceMarked) {
            const handin::Record* marked = nullptr;
            for (const ClassRecord& entry : student.records)
                if (answersSameQuestion(entry, answers[i]) && rowIsFor(row, entry.text))
                    marked = entry.record;
            if (marked) marks[marked] = row.mark;
        }
    }
    return marks;
}

// The names of the run's other outputs that lie in the feedback folder.
std::vector<std::string> outputNamesIn(const std::filesystem::path& folder, const MarksOptions& options) {
    std::error_code error;
    const std::filesystem::path where = std::filesystem::weakly_canonical(folder, error);
    std::vector<std::filesystem::path> outputs = options.otherOutputs;
    if (options.marks) outputs.push_back(*options.marks);
    if (options.studentsCsv) outputs.push_back(*options.studentsCsv);
    if (options.assignmentsCsv) outputs.push_back(*options.assignmentsCsv);
    std::vector<std::string> names;
    for (const std::filesystem::path& output : outputs) {
        const std::filesystem::path parent = std::filesystem::weakly_canonical(
            std::filesystem::absolute(output, error).parent_path(), error);
        if (!error && parent == where) names.push_back(utf8Path(output.filename()));
    }
    return names;
}

}  // namespace

std::vector<CurrentAnswer> currentAnswers(const Student& student) {
    std::vector<CurrentAnswer> answers;
    const std::string name = reportUtf8(student.name);
    for (const Answer& answer : lastAnswers(student)) {
        const handin::Record& record = *answer.record->record;
        CurrentAnswer current{name, answer.question, reportUtf8(record.confidence.value_or(Text())),
                              std::string(answer.record->text), {}, reportUtf8(answer.assignment->headerLine)};
        for (const ClassRecord& entry : student.records)
            if (&entry != answer.record && answersSameQuestion(entry, answer))
                current.earlier.emplace_back(entry.text);
        answers.push_back(std::move(current));
    }
    return answers;
}

std::string questionText(TextView block) {
    if (block.starts_with(questionMarker)) {
        const std::size_t stop = block.find(u'.');
        if (stop != TextView::npos && stop <= 6) block.remove_prefix(stop + 1);
        while (!block.empty() && block.front() == u' ') block.remove_prefix(1);
    }
    return reportUtf8(block);
}

MarksRun::MarksRun(MarksOptions options, OutputSet& outputs) : options_(std::move(options)), outputs_(outputs) {
    if (options_.marks) {
        table_ = readMarksFile(*options_.marks);
        if (!table_) table_.emplace();
        merge_.emplace(*table_, *options_.known);
        marksOutput_.emplace(outputs_, *options_.marks);
    }
    if (options_.studentsCsv) studentsOutput_.emplace(outputs_, *options_.studentsCsv);
    if (options_.assignmentsCsv) assignmentsOutput_.emplace(outputs_, *options_.assignmentsCsv);
    if (options_.feedback) pages_.emplace(outputNamesIn(*options_.feedback, options_));
}

void MarksRun::addStudent(const Student& student, const StudentSummary& summary) {
    std::vector<MarksRow> rows;
    if (merge_) rows = merge_->addAnswers(currentAnswers(student));
    recordMarks_ = marksByRecord(student, rows);
    const std::string name = reportUtf8(student.name);
    if (table_) report_.addStudent(name, rows, recordMarks_);
    if (options_.studentsCsv)
        totals_.push_back({name, summary.answeredInAll(), medianCell(summary.medianConfidence),
                           formatMinutes(summary.minutesOnTask()), summary.notes, studentMarks(rows).figures, {}});
    if (options_.assignmentsCsv)
        for (const AssignmentWork& work : summary.work) {
            const std::string assignment = reportUtf8(work.assignment);
            assignmentTotals_.push_back({name, work.answered(), medianCell(work.medianConfidence),
                                         formatMinutes(work.minutesOnTask()), work.notes,
                                         assignmentFigures(rows, assignment), assignment});
        }
    if (!options_.feedback) return;
    FeedbackStudent feedback = feedbackFor(student, rows, lastAnswers(student));
    feedback.emptyHandins = emptyHandinFindings(student);
    feedback.page = pages_->next(feedback.name);
    pageOf_[student.name] = feedback.page;
    ReportOutput page(outputs_, *options_.feedback / pathFromUtf8(feedback.page));
    page.write(feedbackPageHtml(feedback));
    page.close();
}

std::string MarksRun::pageOf(const Student& student) const {
    const auto found = pageOf_.find(student.name);
    return found == pageOf_.end() ? std::string() : found->second;
}

const StudentMarks* MarksRun::marksOf(const Student& student) const {
    return table_ ? report_.student(reportUtf8(student.name)) : nullptr;
}

void MarksRun::finish() {
    if (merge_) {
        merge_->finish();
        merge_.reset();
        report_.notices = table_->notices;
        marksOutput_->write(marksFileBytes(*table_));
        marksOutput_->close();
    }
    if (studentsOutput_) {
        studentsOutput_->write(studentsCsv(totals_));
        studentsOutput_->close();
    }
    if (assignmentsOutput_) {
        assignmentsOutput_->write(assignmentsCsv(assignmentTotals_));
        assignmentsOutput_->close();
    }
}

const std::vector<MarksNotice>& MarksRun::notices() const { return table_ ? table_->notices : noNotices; }

}  // namespace stepwise::review
