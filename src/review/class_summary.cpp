#include "review/class_summary.h"

#include <algorithm>

#include "format/numbers.h"

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

StudentSummary summarizeStudent(const Student& student) {
    StudentSummary summary;
    summary.name = student.name;
    summary.files = static_cast<int>(student.files.size());
    for (const ClassRecord& record : student.records) {
        if (record.seconds) summary.secondsOnTask += *record.seconds;
        if (record.record->kind == handin::RecordKind::notes) ++summary.notes;
        else ++summary.responses;
    }
    std::vector<double> ratings;
    for (const Answer& answer : lastAnswers(student)) {
        QuestionCell& cell = summary.questions[answer.question - 1];
        cell.answered = true;
        cell.confidence = answer.record->record->confidence.value_or(Text());
        cell.rating = confidenceRating(cell.confidence);
        cell.seconds = answer.record->seconds;
        if (cell.rating) ratings.push_back(*cell.rating);
    }
    summary.medianConfidence = median(std::move(ratings));
    return summary;
}

void ClassSummary::add(StudentSummary student) {
    for (int q = 0; q < questionCount; ++q) {
        const QuestionCell& cell = student.questions[q];
        if (!cell.answered) continue;
        QuestionSummary& question = questions[q];
        ++question.answered;
        if (cell.rating) ++question.ratings[*cell.rating];
        else ++question.unrated;
        if (cell.seconds) question.seconds.push_back(*cell.seconds);
    }
    files += student.files;
    students.push_back(std::move(student));
}

std::string formatMedian(const std::optional<double>& value) { return value ? shortNumber(*value) : "-"; }

std::string formatMinutes(double minutes) { return fixedNumber(minutes, 1); }

}  // namespace stepwise::review
