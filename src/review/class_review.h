#pragma once
// Reads a class's hand-in files one student at a time: the files of one student are read, turned
// into that student's records, handed to the reports and dropped. A second thread reads the next
// students (at most two ahead) while the reports take this one. What is kept for the whole class
// is the overview figures and the problems, so memory follows the largest students' hand-ins, not
// the class.
#include <filesystem>
#include <functional>
#include <vector>

#include "handin/known_assignments.h"
#include "review/class_summary.h"

namespace stepwise::review {

// At most this many problems are kept per file; the rest are only counted.
inline constexpr std::size_t problemsKeptPerFile = 50;

struct ClassReview {
    ClassSummary summary;
    std::vector<handin::Problem> problems;  // in the order found
    long long problemsOmitted = 0;          // counted but not kept

    bool clean() const { return problems.empty() && problemsOmitted == 0; }
};

struct ReviewCallbacks {
    // One student, fully read; the records live only for the call. The summary is the class's
    // from then on: what the call adds to it (a link to a page written for the student) stays.
    std::function<void(const Student&, StudentSummary&)> student;
    // After each file read: how many of how many.
    std::function<void(std::size_t done, std::size_t total)> progress;
};

// One student's hand-in files as found, before they are read.
struct PlannedStudent {
    Text name;
    std::vector<handin::HandinSource> files;   // by hand-in date
};

// Groups the files found by the student their name gives, students in name order and each one's
// files by hand-in date. A path found twice is kept once and reported; a file whose name does not
// follow send_MMDD<name>.txt is named by its file name and reported.
std::vector<PlannedStudent> planClass(const std::vector<handin::HandinSource>& found,
                                      std::vector<handin::Problem>& problems);

// Sessions are read as sessions of the assignments `known` holds; the sessions of any other are
// read with their blocks unknown and reported once for each such assignment.
ClassReview reviewClass(const std::vector<std::filesystem::path>& paths, const ReviewCallbacks& callbacks,
                        const handin::KnownAssignments& known = handin::KnownAssignments::builtinOnly());
// The same, of the hand-ins findHandinFiles found and the problems it met.
ClassReview reviewClass(std::vector<handin::HandinSource> found, std::vector<handin::Problem> foundProblems,
                        const ReviewCallbacks& callbacks, const handin::KnownAssignments& known);

}  // namespace stepwise::review
