#pragma once
// A class as the instructor sees it: the hand-in files grouped by student, each record with the
// session it belongs to and the seconds it took.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "handin/handin_file.h"

namespace stepwise::review {

// A gap between two records longer than this is a break, not time spent on the second record.
inline constexpr int breakSeconds = 1800;

// One record in a student's work, with where it came from.
struct ClassRecord {
    const handin::HandinFile* file = nullptr;
    int session = 0;                    // the session's number within its file, from 1
    const handin::Session* sessionData = nullptr;
    const handin::Record* record = nullptr;
    std::optional<int> seconds;         // empty for a session's first record and after a break
    std::string_view text;              // the record's text in UTF-8 (the record's own)
};

struct Student {
    Text name;
    std::vector<const handin::HandinFile*> files;  // by hand-in date
    std::vector<ClassRecord> records;              // files in date order, records in file order
};

// Holds pointers into its own `files`: move it, never copy it.
struct ClassModel {
    std::vector<handin::HandinFile> files;          // every file read, duplicates left out
    std::vector<handin::Problem> problems;          // every problem found, duplicates included
    std::vector<Student> students;                  // in name order
};

// Groups the files by student (a path given twice is reported and counted once) and computes
// every record's seconds. Files with the same bytes are found by the reader, which has them.
ClassModel buildClassModel(std::vector<handin::HandinFile> files, std::vector<handin::Problem> problems);

// Finds files given twice by the same path.
class DuplicateFinder {
public:
    // The path of the earlier file this one repeats, or nothing when it is new (it is then
    // remembered).
    std::optional<std::string> earlierCopy(const handin::HandinFile& file);

private:
    std::set<std::string> paths_;
};

// The problem that reports `file` as a copy of `earlier`.
handin::Problem duplicateProblem(const handin::HandinFile& file, const std::string& earlier);

// The order students are listed in: letter case ignored first, then exact.
bool comesBefore(const Text& name, const Text& other);

// Files of one student in hand-in date order (month and day of the file name, then the path).
bool handedInBefore(const handin::HandinFile& file, const handin::HandinFile& other);

// The time of day in seconds from a time stamp as written ("14:05:09"), or nothing when the
// text is not such a time.
std::optional<int> secondsOfDay(TextView timeStamp);

// The assignment a record's session belongs to: the built-in's when the session names none;
// nothing for a session of an assignment the run was not given.
const handin::KnownAssignment* assignmentOf(const ClassRecord& entry);

// Assignments in the order of their header numbers ("001.", "007."), then of their header lines.
bool listedBefore(const handin::KnownAssignment& assignment, const handin::KnownAssignment& other);
bool headerListedBefore(const Text& header, const Text& other);

// The assignments a student has sessions of, in listing order.
std::vector<const handin::KnownAssignment*> assignmentsWorked(const Student& student);

// The last response a student gave to each question of each assignment, for marking: assignments
// in listing order, each one's questions in its script order.
struct Answer {
    const handin::KnownAssignment* assignment = nullptr;
    int question = 0;
    const ClassRecord* record = nullptr;
};
std::vector<Answer> lastAnswers(const Student& student);

// The question a record answers: a response to a question block of its assignment (in the
// built-in one the instructions count as question 1). Responses to other blocks and notes answer
// nothing.
std::optional<int> answeredQuestion(const ClassRecord& entry);

// True when the record answers the same question of the same assignment as `answer`.
bool answersSameQuestion(const ClassRecord& entry, const Answer& answer);

}  // namespace stepwise::review
