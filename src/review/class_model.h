#pragma once
// A class as the instructor sees it: the hand-in files grouped by student, each record with the
// session it belongs to and the seconds it took.
#include <optional>
#include <vector>

#include "handin/handin_file.h"

namespace stepwise::review {

// One record in a student's work, with where it came from.
struct ClassRecord {
    const handin::HandinFile* file = nullptr;
    int session = 0;                    // the session's number within its file, from 1
    const handin::Session* sessionData = nullptr;
    const handin::Record* record = nullptr;
    std::optional<int> seconds;         // empty for a session's first record and after a break
};

struct Student {
    Text name;
    std::vector<const handin::HandinFile*> files;  // by hand-in date
    std::vector<ClassRecord> records;              // files in date order, records in file order
};

struct ClassModel {
    std::vector<handin::HandinFile> files;          // every file read, duplicates left out
    std::vector<handin::Problem> problems;          // every problem found, duplicates included
    std::vector<Student> students;                  // in name order
};

// Groups the files by student (duplicates by content are reported and counted once) and
// computes every record's seconds.
ClassModel buildClassModel(std::vector<handin::HandinFile> files, std::vector<handin::Problem> problems);

// The last response a student gave to each question 1-12, for marking.
struct Answer {
    int question = 0;
    const ClassRecord* record = nullptr;
};
std::vector<Answer> lastAnswers(const Student& student);

}  // namespace stepwise::review
