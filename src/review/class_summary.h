#pragma once
// The figures of the class overview: per student which questions were answered and how
// confidently, time on task and notes; per question how many answered, how confidently and how
// long it took. Small enough to keep for a whole class while the records themselves are dropped.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "handin/known_assignments.h"
#include "review/class_model.h"

namespace stepwise::review {

// The built-in assignment's questions, the columns of the report's overview.
inline constexpr int questionCount = 12;

// A confidence rating as typed, when it is one of the ratings 0-3 (blanks around it ignored).
std::optional<int> confidenceRating(TextView typed);

// The middle value (the mean of the two middle ones for an even count); nothing when empty.
std::optional<double> median(std::vector<double> values);

// One student's last answer to one question.
struct QuestionCell {
    bool answered = false;
    Text confidence;                    // as typed
    std::optional<int> rating;          // the confidence when it is a rating 0-3
    std::optional<int> seconds;
};

// One student's work on one assignment: its questions' last answers, time and notes.
struct AssignmentWork {
    Text assignment;                    // its header line ("001.  Rates")
    const handin::KnownAssignment* known = nullptr;  // owned by the run's catalogue
    std::vector<int> questionNumbers;   // the assignment's questions, in its script order
    std::vector<QuestionCell> questions;  // one per question number
    std::optional<double> medianConfidence;
    long long secondsOnTask = 0;
    int notes = 0;

    int answered() const;
    double minutesOnTask() const { return static_cast<double>(secondsOnTask) / 60.0; }
};

struct StudentSummary {
    Text name;
    std::string anchor;                 // the id of the student's section in the report
    std::string feedbackLink;           // the student's feedback page from the report's folder, as
                                        // a URL; "" without feedback pages
    std::array<QuestionCell, questionCount> questions{};  // the built-in assignment's
    std::vector<AssignmentWork> work;   // each assignment the student has sessions of, listed in
                                        // the order of the header numbers
    std::optional<double> medianConfidence;  // over the rated last answers of every assignment
    long long secondsOnTask = 0;
    int notes = 0;
    int responses = 0;
    int files = 0;
    int problems = 0;
    std::vector<std::string> identical;  // "identical hand-ins: Ann, Bob" for each file that
                                          // other students handed in too, byte for byte (UTF-8)

    int answered() const;               // of the built-in assignment's questions
    int answeredInAll() const;          // of every assignment's
    double minutesOnTask() const { return static_cast<double>(secondsOnTask) / 60.0; }
};

StudentSummary summarizeStudent(const Student& student);

struct QuestionSummary {
    int answered = 0;
    std::array<int, 4> ratings{};       // answers at confidence 0, 1, 2, 3
    int unrated = 0;                    // answers without a rating 0-3
    std::vector<double> seconds;        // the time of each answer that has one
    std::optional<double> medianSeconds() const { return median(seconds); }
};

struct ClassSummary {
    std::vector<StudentSummary> students;  // in the order added (name order)
    std::array<QuestionSummary, questionCount> questions{};  // the built-in assignment's
    struct Assignment {
        Text header;                    // its header line
        int questions = 0;              // how many questions it has
        const handin::KnownAssignment* known = nullptr;
        std::vector<int> questionNumbers;
        std::vector<QuestionSummary> figures;  // one per question number
    };
    std::vector<Assignment> assignments;  // every assignment a student worked, in listing order
    int files = 0;

    void add(StudentSummary student);

private:
    Assignment& assignmentOf(const AssignmentWork& work);
};

// Figures as the reports show them: "2.5", "-" when there is none; minutes with one decimal.
std::string formatMedian(const std::optional<double>& value);
std::string formatMinutes(double minutes);

}  // namespace stepwise::review
