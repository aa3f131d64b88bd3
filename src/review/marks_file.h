#pragma once
// The instructor's marks file: one row per student, assignment and answered question, in the
// columns student,question,confidence,mark,response,answer_key,assignment. The program writes it;
// the instructor fills `mark` in a spreadsheet; every later run reads it back, keeps every mark
// and adds the new answers. Columns are found by their names in the first row, so a file of fewer
// columns (one written before `answer_key` or `assignment` was added) is read as well; a row
// without an assignment holds marks for the built-in one. `response` is there to be read: every
// run writes it again from the hand-ins; `answer_key` (review/answer_key.h) tells whether the
// answer has changed since its row was marked.
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "handin/known_assignments.h"
#include "review/cbm.h"

namespace stepwise::review {

// A marks file that cannot be read or is not a marks file. The message says which and why; the
// file is left as it is.
class MarksFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The columns as the program writes them.
inline constexpr std::string_view marksFileHeader =
    "student,question,confidence,mark,response,answer_key,assignment";

// A marks file that cannot be given at all: a spreadsheet workbook (by its name's extension
// .xlsx, .xls or .ods, or by the zip or OLE signature its bytes start with), or, when there is no
// file yet, a name that does not end in .csv. Throws MarksFileError saying so; reads only the
// file's first bytes.
void checkMarksFileName(const std::filesystem::path& path);

// A student's last answer to a question, as the hand-in files hold it (UTF-8).
struct CurrentAnswer {
    std::string student;
    int question = 0;
    std::string confidence;   // as typed
    std::string response;     // line breaks as CR LF
    std::vector<std::string> earlier;   // the student's earlier answers to the question, oldest first
    std::string assignment;   // the assignment's header line; "" for the built-in one
};

// What the last merge found for a row.
enum class RowState {
    unchecked,            // read from the file, not merged yet
    current,              // the row holds the student's current answer
    added,                // a new answer, added by the merge
    responseGone,         // no hand-in holds this answer any more; the row is kept
    changedSinceMarked,   // the student answered again after the mark was given; the row keeps
                          // the marked answer and its mark until the instructor clears the mark
    notAnAnswer,          // the row names no student, or no question of its assignment; kept as it is
    repeated,             // an earlier row has the same student, assignment and question; kept,
                          // not counted
};

struct MarksRow {
    int row = 0;                  // row number in the file as a spreadsheet shows it; 0 when added
    std::string student;
    std::string question;
    std::string confidence;
    std::string mark;             // as the instructor typed it
    std::string response;
    std::string answerKey;        // the key of the answer the row is for; "" in a file without keys
    std::string assignment;       // the assignment's header line; the built-in's when the file
                                  // has none
    RowState state = RowState::unchecked;
    std::string newResponse;      // changedSinceMarked: the answer now in the hand-ins

    std::optional<int> questionNumber() const;   // a question number 1-999, as a marker spells it
    Mark markValue() const;       // unmarked for an empty or unreadable mark
    bool counts() const;          // the row's mark belongs to an answer in the hand-ins
};

// Something in the file the instructor should look at; reading goes on.
struct MarksNotice {
    int row = 0;
    std::string message;
    bool problem = true;   // a fault in the file (an unreadable mark, say), not a row merely kept
};

struct MarksTable {
    char separator = ',';   // as the file read used it: ',' or ';'
    std::vector<MarksRow> rows;
    std::vector<MarksNotice> notices;
};

// The mark a cell holds: 1, 0, 1.0, 0.0 (or 1,0 / 0,0), right, wrong, r, w in any letter case;
// empty (blanks only) is unmarked; anything else gives nothing.
std::optional<Mark> parseMark(std::string_view cell);

// True when two answers are the same text, line breaks and the CSV formula guard aside. Used only
// for a row without a key: a spreadsheet may have changed the text of its `response` cell.
bool sameResponse(std::string_view a, std::string_view b);

// True when the row is for this answer: by the row's key, or, for a row without one, by its text.
bool rowIsFor(const MarksRow& row, std::string_view response);

// Reads a marks file as a spreadsheet saved it. Throws MarksFileError when it is not CSV or its
// first row lacks a column or names one unknown; marks that cannot be read are noted with their
// row number.
MarksTable parseMarksFile(std::string_view bytes);

// The marks file at `path`, or nothing when there is no file there. Throws MarksFileError when
// the file cannot be read or is malformed.
std::optional<MarksTable> readMarksFile(const std::filesystem::path& path);

// The built-in assignment's header line, as the marks file holds it.
std::string builtinAssignmentName();

// Student (by the identity rule of the hand-ins), assignment, question.
using AnswerKey = std::tuple<std::string, std::string, int>;

// Brings a table up to date one student at a time, as the class is read: rows keep their order
// and their marks; answers without a row are added at the end, in the order given, by finish().
class MarksMerge {
public:
    // `known` tells each assignment's questions; a row of an assignment it does not hold keeps
    // any question number.
    explicit MarksMerge(MarksTable& table,
                        const handin::KnownAssignments& known = handin::KnownAssignments::builtinOnly());
    MarksMerge(const MarksMerge&) = delete;
    MarksMerge& operator=(const MarksMerge&) = delete;

    // Merges a student's current answers; returns the row each answer now has, in their order.
    std::vector<MarksRow> addAnswers(const std::vector<CurrentAnswer>& answers);

    // Notes the rows no answer met, and adds the new rows.
    void finish();

private:
    MarksTable& table_;
    std::map<AnswerKey, MarksRow*> byAnswer_;
    std::vector<MarksRow> added_;
    std::map<AnswerKey, std::size_t> addedIndex_;
};

// Brings the table up to date with the students' current answers. Rows keep their order and
// their marks; answers without a row are added at the end (in the order given). Notes every
// row that is kept but no longer matches an answer.
void mergeAnswers(MarksTable& table, const std::vector<CurrentAnswer>& answers,
                  const handin::KnownAssignments& known = handin::KnownAssignments::builtinOnly());

// The figures of one student's counted, marked rows (each mark with the confidence in its row).
CbmFigures studentFigures(const MarksTable& table, std::string_view student);

// The file's bytes: UTF-8 with a byte-order mark, CR LF, RFC 4180, formula guard, the table's
// separator; every column, a missing key filled in.
std::string marksFileBytes(const MarksTable& table);

// Writes the file, replacing the old one in one step (see replaceFileAtomically).
void writeMarksFile(const std::filesystem::path& path, const MarksTable& table);

}  // namespace stepwise::review
