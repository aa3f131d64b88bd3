#include "review/class_model.h"

#include <algorithm>
#include <tuple>

#include "handin/known_assignments.h"
#include "review/report_text.h"

namespace stepwise::review {

namespace {

constexpr int secondsPerDay = 24 * 60 * 60;

// Seconds from the previous record's time to this one's: across midnight a day is added, and a
// gap longer than a break counts nothing.
std::optional<int> secondsSince(std::optional<int> previous, std::optional<int> now) {
    if (!previous || !now) return std::nullopt;
    int gap = *now - *previous;
    if (gap < 0) gap += secondsPerDay;
    if (gap > breakSeconds) return std::nullopt;
    return gap;
}

void addRecords(Student& student, const handin::HandinFile& file) {
    int sessionNumber = 0;
    for (const handin::Session& session : file.sessions) {
        ++sessionNumber;
        std::optional<int> previousTime;
        bool first = true;
        for (const handin::Record& record : session.records) {
            const std::optional<int> time = secondsOfDay(record.time);
            student.records.push_back({&file, sessionNumber, &session, &record,
                                       first ? std::nullopt : secondsSince(previousTime, time),
                                       record.text});
            previousTime = time;
            first = false;
        }
    }
}

}  // namespace

std::optional<int> secondsOfDay(TextView t) {
    auto digit = [&](std::size_t i) { return t[i] >= u'0' && t[i] <= u'9'; };
    if (t.size() != 8 || t[2] != u':' || t[5] != u':') return std::nullopt;
    for (std::size_t i : {0, 1, 3, 4, 6, 7})
        if (!digit(i)) return std::nullopt;
    auto two = [&](std::size_t i) { return (t[i] - u'0') * 10 + (t[i + 1] - u'0'); };
    const int hours = two(0), minutes = two(3), seconds = two(6);
    if (hours > 23 || minutes > 59 || seconds > 59) return std::nullopt;
    return (hours * 60 + minutes) * 60 + seconds;
}

std::optional<std::string> DuplicateFinder::earlierCopy(const handin::HandinFile& file) {
    if (!paths_.insert(file.path).second) return file.path;
    return std::nullopt;
}

handin::Problem duplicateProblem(const handin::HandinFile& file, const std::string& earlier) {
    if (earlier == file.path) return {file.path, 0, "given more than once; counted once"};
    return {file.path, 0, "same content as " + earlier + "; counted once"};
}

bool comesBefore(const Text& name, const Text& other) {
    const Text a = lowerCase(name), b = lowerCase(other);
    return a != b ? a < b : name < other;
}

bool handedInBefore(const handin::HandinFile& file, const handin::HandinFile& other) {
    return std::tie(file.name.month, file.name.day, file.path) <
           std::tie(other.name.month, other.name.day, other.path);
}

ClassModel buildClassModel(std::vector<handin::HandinFile> files, std::vector<handin::Problem> problems) {
    ClassModel model;
    model.problems = std::move(problems);
    DuplicateFinder duplicates;
    for (handin::HandinFile& file : files) {
        if (auto earlier = duplicates.earlierCopy(file)) {
            model.problems.push_back(duplicateProblem(file, *earlier));
            continue;
        }
        model.files.push_back(std::move(file));
    }
    // Pointers into model.files are taken only now that it no longer grows.
    std::vector<const handin::HandinFile*> ordered;
    for (const handin::HandinFile& file : model.files) ordered.push_back(&file);
    std::stable_sort(ordered.begin(), ordered.end(), [](auto* a, auto* b) {
        if (a->name.student != b->name.student) return comesBefore(a->name.student, b->name.student);
        return handedInBefore(*a, *b);
    });
    for (const handin::HandinFile* file : ordered) {
        if (model.students.empty() || model.students.back().name != file->name.student)
            model.students.push_back({file->name.student, {}, {}});
        model.students.back().files.push_back(file);
        addRecords(model.students.back(), *file);
    }
    return model;
}

const handin::KnownAssignment* assignmentOf(const ClassRecord& entry) {
    const handin::Session* session = entry.sessionData;
    // A session whose header names an assignment not given belongs to none.
    if (session && (session->known || !session->assignmentHeader.empty())) return session->known;
    return handin::KnownAssignments::builtinOnly().all().front().get();
}

namespace {

// The number a header line starts with ("007.  Speed" gives 7); -1 without one.
int headerNumber(TextView header) {
    int number = -1;
    for (char16_t c : header) {
        if (c < u'0' || c > u'9') break;
        number = (number < 0 ? 0 : number * 10) + (c - u'0');
        if (number > 99999) break;
    }
    return number;
}

}  // namespace

bool headerListedBefore(const Text& header, const Text& other) {
    const int number = headerNumber(header), otherNumber = headerNumber(other);
    if (number != otherNumber) return number < otherNumber;
    return header < other;
}

bool listedBefore(const handin::KnownAssignment& assignment, const handin::KnownAssignment& other) {
    return headerListedBefore(assignment.headerLine, other.headerLine);
}

std::vector<const handin::KnownAssignment*> assignmentsWorked(const Student& student) {
    std::vector<const handin::KnownAssignment*> worked;
    for (const ClassRecord& entry : student.records) {
        const handin::KnownAssignment* assignment = assignmentOf(entry);
        if (!assignment) continue;
        const bool seen = std::any_of(worked.begin(), worked.end(), [&](const handin::KnownAssignment* a) {
            return a->headerLine == assignment->headerLine;
        });
        if (!seen) worked.push_back(assignment);
    }
    std::stable_sort(worked.begin(), worked.end(), [](auto* a, auto* b) { return listedBefore(*a, *b); });
    return worked;
}

std::optional<int> answeredQuestion(const ClassRecord& entry) {
    const handin::Record& record = *entry.record;
    const handin::KnownAssignment* assignment = assignmentOf(entry);
    if (!assignment || record.kind != handin::RecordKind::response) return std::nullopt;
    const handin::BlockId& id = record.blockId;
    const bool instructions = assignment->builtin && id.kind == handin::BlockKind::instructions;
    if (id.kind != handin::BlockKind::question && !instructions) return std::nullopt;
    if (!id.questionNumber) return std::nullopt;
    const std::vector<int>& questions = assignment->questions;
    if (std::find(questions.begin(), questions.end(), *id.questionNumber) == questions.end()) return std::nullopt;
    return id.questionNumber;
}

bool answersSameQuestion(const ClassRecord& entry, const Answer& answer) {
    const handin::KnownAssignment* assignment = assignmentOf(entry);
    return assignment && answer.assignment && assignment->headerLine == answer.assignment->headerLine &&
           answeredQuestion(entry) == answer.question;
}

std::vector<Answer> lastAnswers(const Student& student) {
    // A slot for each question of each assignment worked, filled in one pass over the records.
    std::vector<Answer> slots;
    for (const handin::KnownAssignment* assignment : assignmentsWorked(student))
        for (int question : assignment->questions) slots.push_back({assignment, question, nullptr});
    for (const ClassRecord& record : student.records) {
        const std::optional<int> question = answeredQuestion(record);
        if (!question) continue;
        const handin::KnownAssignment* assignment = assignmentOf(record);
        const auto slot = std::find_if(slots.begin(), slots.end(), [&](const Answer& answer) {
            return answer.question == *question &&
                   (answer.assignment == assignment || answer.assignment->headerLine == assignment->headerLine);
        });
        if (slot != slots.end()) slot->record = &record;
    }
    std::erase_if(slots, [](const Answer& answer) { return answer.record == nullptr; });
    return slots;
}

}  // namespace stepwise::review
