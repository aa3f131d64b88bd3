#include "review/class_summary.h"

#include <algorithm>

#include "format/numbers.h"
#include "handin/known_assignments.h"

namespace stepwise::review {

std::optional<int> confidenceRating(TextView typed) {
    const auto first = typed.find_first_not_of(u" \t");
    if (first == TextView::npos) return std::nullopt;
    const auto last = typed.find_last_not_of(u" \t");
    const TextView rating = typed.substr(first, last - first + 1);
    if (rating.size() != 1 || rating[0] < u'0' || rating[0] > u'3') return std::nullopt;
    return rating[0] - u'0';
}

std::optional<double> median(std::vector<double> values) {
    if (values.empty()) return std::nullopt;
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + middle, values.end());
    const double upper = values[middle];
    if (values.size() % 2) return upper;
    const double lower = *std::max_element(values.begin(), values.begin() + middle);
    return (lower + upper) / 2;
}

int StudentSummary::answered() const {
    return static_cast<int>(std::count_if(questions.begin(), questions.end(), [](auto& q) { return q.answered; }));
}

int AssignmentWork::answered() const {
    return static_cast<int>(std::count_if(questions.begin(), questions.end(), [](auto& q) { return q.answered; }));
}

int StudentSummary::answeredInAll() const {
    int answered = 0;
    for (const AssignmentWork& assignment : work) answered += assignment.answered();
    return answered;
}

namespace {

QuestionCell cellOf(const Answer& answer) {
    QuestionCell cell;
    cell.answered = true;
    cell.confidence = answer.record->record->confidence.value_or(Text());
    cell.rating = confidenceRating(cell.confidence);
    cell.seconds = answer.record->seconds;
    return cell;
}

AssignmentWork workOn(const Student& student, const handin::KnownAssignment& assignment,
                      const std::vector<Answer>& answers) {
    AssignmentWork work{assignment.headerLine, &assignment, assignment.questions,
                        std::vector<QuestionCell>(assignment.questions.size()), std::nullopt, 0, 0};
    for (const ClassRecord& record : student.records) {
        const handin::KnownAssignment* of = assignmentOf(record);
        if (!of || of->headerLine != assignment.headerLine) continue;
        if (record.seconds) work.secondsOnTask += *record.seconds;
        if (record.record->kind == handin::RecordKind::notes) ++work.notes;
    }
    std::vector<double> ratings;
    for (const Answer& answer : answers) {
        if (answer.assignment->headerLine != assignment.headerLine) continue;
        const auto place = std::find(work.questionNumbers.begin(), work.questionNumbers.end(), answer.question);
        QuestionCell& cell = work.questions[static_cast<std::size_t>(place - work.questionNumbers.begin())];
        cell = cellOf(answer);
        if (cell.rating) ratings.push_back(*cell.rating);
    }
    work.medianConfidence = median(std::move(ratings));
    return work;
}

}  // namespace

StudentSummary summarizeStudent(const Student& student) {
    StudentSummary summary;
    summary.name = student.name;
    summary.files = static_cast<int>(student.files.size());
    for (const ClassRecord& record : student.records) {
        if (record.seconds) summary.secondsOnTask += *record.seconds;
        if (record.record->kind == handin::RecordKind::notes) ++summary.notes;
        else ++summary.responses;
    }
    const std::vector<Answer> answers = lastAnswers(student);
    std::vector<double> ratings;
    for (const Answer& answer : answers) {
        const QuestionCell cell = cellOf(answer);
        if (cell.rating) ratings.push_back(*cell.rating);
        if (answer.assignment->builtin && answer.question >= 1 && answer.question <= questionCount)
            summary.questions[answer.question - 1] = cell;
    }
    summary.medianConfidence = median(std::move(ratings));
    for (const handin::KnownAssignment* assignment : assignmentsWorked(student))
        summary.work.push_back(workOn(student, *assignment, answers));
    return summary;
}

namespace {

void count(QuestionSummary& question, const QuestionCell& cell) {
    if (!cell.answered) return;
    ++question.answered;
    if (cell.rating) ++question.ratings[*cell.rating];
    else ++question.unrated;
    if (cell.seconds) question.seconds.push_back(*cell.seconds);
}

}  // namespace

ClassSummary::Assignment& ClassSummary::assignmentOf(const AssignmentWork& work) {
    auto found = std::find_if(assignments.begin(), assignments.end(), [&](auto& a) { return a.header == work.assignment; });
    if (found != assignments.end()) return *found;
    const auto place = std::upper_bound(assignments.begin(), assignments.end(), work.assignment,
                                        [](const Text& header, const Assignment& a) {
                                            return headerListedBefore(header, a.header);
                                        });
    return *assignments.insert(place, {work.assignment, static_cast<int>(work.questionNumbers.size()), work.known,
                                       work.questionNumbers,
                                       std::vector<QuestionSummary>(work.questionNumbers.size())});
}

void ClassSummary::add(StudentSummary student) {
    for (int q = 0; q < questionCount; ++q) count(questions[q], student.questions[q]);
    for (const AssignmentWork& work : student.work) {
        Assignment& assignment = assignmentOf(work);
        for (std::size_t q = 0; q < work.questions.size() && q < assignment.figures.size(); ++q)
            count(assignment.figures[q], work.questions[q]);
    }
    files += student.files;
    students.push_back(std::move(student));
}

std::string formatMedian(const std::optional<double>& value) { return value ? shortNumber(*value) : "-"; }

std::string formatMinutes(double minutes) { return fixedNumber(minutes, 1); }

}  // namespace stepwise::review
