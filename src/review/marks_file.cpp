#include "review/marks_file.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <utility>

#include "handin/student_identity.h"
#include "review/answer_key.h"
#include "review/csv.h"
#include "review/report_text.h"
#include "review/spreadsheet_csv_reader.h"
#include "system/atomic_file_replace.h"
#include "system/path_text.h"
#include "system/whole_file.h"

namespace stepwise::review {

namespace fs = std::filesystem;

namespace {

// The columns, in the order they are written. A file must have the required ones, in any order;
// a column added later is optional, so that files written before it are read as they were.
struct MarksColumn {
    std::string_view name;
    std::string MarksRow::*cell;
    bool required;
    bool typed;   // a number written unquoted when it is one (see csvTyped)
};

constexpr MarksColumn marksColumns[] = {
    {"student", &MarksRow::student, true, false},       {"question", &MarksRow::question, true, true},
    {"confidence", &MarksRow::confidence, true, true},  {"mark", &MarksRow::mark, true, true},
    {"response", &MarksRow::response, true, false},     {"answer_key", &MarksRow::answerKey, false, false},
    {"assignment", &MarksRow::assignment, false, false},
};
constexpr std::size_t columnCount = std::size(marksColumns);

// Where each column stands in the file: its index in a row, or none when the file lacks it.
using ColumnPlaces = std::array<std::optional<std::size_t>, columnCount>;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool allBlank(const std::vector<std::string>& cells) {
    for (const std::string& cell : cells)
        if (!trimmed(cell).empty()) return false;
    return true;
}

std::string rowText(int row) { return "row " + std::to_string(row); }

// A number written as 1 or 0 with optional zero decimals (1.0, 0,00): the value, or -1.
int wholeZeroOrOne(std::string_view text) {
    if (text.empty() || (text[0] != '0' && text[0] != '1')) return -1;
    std::string_view rest = text.substr(1);
    if (rest.empty()) return text[0] - '0';
    if (rest[0] != '.' && rest[0] != ',') return -1;
    rest.remove_prefix(1);
    if (rest.find_first_not_of('0') != std::string_view::npos) return -1;
    return text[0] - '0';
}

std::string requiredColumnsText() {
    std::string names;
    for (const MarksColumn& column : marksColumns)
        names += (names.empty() ? "" : ",") + std::string(column.name);
    return "\"" + names + "\"";
}

ColumnPlaces columnPlaces(const std::vector<std::string>& header) {
    ColumnPlaces places;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string name = lowered(trimmed(header[i]));
        if (name.empty()) continue;
        const auto column = std::find_if(std::begin(marksColumns), std::end(marksColumns),
                                         [&](const MarksColumn& c) { return c.name == name; });
        if (column == std::end(marksColumns))
            throw MarksFileError("column " + std::to_string(i + 1) + " of its first row is \"" + header[i] +
                                 "\", which is not a marks column; the first row must be " + requiredColumnsText());
        std::optional<std::size_t>& place = places[static_cast<std::size_t>(column - std::begin(marksColumns))];
        if (place)
            throw MarksFileError("its first row names the column \"" + std::string(column->name) + "\" twice");
        place = i;
    }
    for (std::size_t c = 0; c < columnCount; ++c)
        if (marksColumns[c].required && !places[c])
            throw MarksFileError("its first row has no column \"" + std::string(marksColumns[c].name) +
                                 "\"; the first row must be " + requiredColumnsText());
    return places;
}

bool isPlaced(const ColumnPlaces& places, std::size_t index) {
    return std::find(places.begin(), places.end(), std::optional<std::size_t>(index)) != places.end();
}

MarksRow rowFromCells(const std::vector<std::string>& cells, const ColumnPlaces& places, int rowNumber) {
    for (std::size_t i = 0; i < cells.size(); ++i)
        if (!isPlaced(places, i) && !trimmed(cells[i]).empty())
            throw MarksFileError(rowText(rowNumber) + " has a value in column " + std::to_string(i + 1) +
                                 ", which is not a marks column; writing the file again would lose it");
    MarksRow row;
    row.row = rowNumber;
    for (std::size_t c = 0; c < columnCount; ++c)
        if (places[c] && *places[c] < cells.size()) row.*marksColumns[c].cell = withoutFormulaGuard(cells[*places[c]]);
    if (!isAnswerKey(row.answerKey)) row.answerKey.clear();
    row.answerKey = std::string(trimmed(row.answerKey));
    row.assignment = std::string(trimmed(row.assignment));
    // A row of a file written before assignments were named is the built-in assignment's.
    const bool namesAnAnswer = !trimmed(row.student).empty() || !trimmed(row.question).empty();
    if (row.assignment.empty() && namesAnAnswer) row.assignment = builtinAssignmentName();
    return row;
}

// The line breaks of an answer as LF, the formula guard undone, control characters as the file
// writes them.
std::string comparable(std::string_view text) {
    const std::string unguarded = csvText(withoutFormulaGuard(text));
    std::string out;
    out.reserve(unguarded.size());
    for (std::size_t i = 0; i < unguarded.size(); ++i) {
        if (unguarded[i] == '\r') {
            out += '\n';
            if (i + 1 < unguarded.size() && unguarded[i + 1] == '\n') ++i;
        } else {
            out += unguarded[i];
        }
    }
    return out;
}

// A row and an answer meet when their students are one by the identity rule of the hand-ins.
std::string studentKeyOf(std::string_view student) {
    const std::string_view name = trimmed(student);
    return name.empty() ? std::string() : toUtf8(handin::studentKey(fromUtf8(name)));
}

AnswerKey keyOf(const MarksRow& row) {
    return {studentKeyOf(row.student), std::string(trimmed(row.assignment)), row.questionNumber().value_or(0)};
}

// The question is one of its assignment's, or the assignment is not one the run knows.
bool isQuestionOf(const MarksRow& row, int question, const handin::KnownAssignments& known) {
    const handin::KnownAssignment* assignment = known.find(fromUtf8(trimmed(row.assignment)));
    if (!assignment) return true;
    const std::vector<int>& questions = assignment->questions;
    return std::find(questions.begin(), questions.end(), question) != questions.end();
}

std::string notAnAnswerText(const MarksRow& row) {
    if (row.assignment == builtinAssignmentName())
        return rowText(row.row) + " names no student or no question 1-12; kept as it is";
    return rowText(row.row) + " names no student or no question of " + row.assignment + "; kept as it is";
}

// Marks rows without a student or a question of their assignment, and later rows repeating an
// earlier one.
void classifyRows(MarksTable& table, std::map<AnswerKey, MarksRow*>& byAnswer, const handin::KnownAssignments& known) {
    for (MarksRow& row : table.rows) {
        const AnswerKey key = keyOf(row);
        const int question = std::get<2>(key);
        if (std::get<0>(key).empty() || question == 0 || !isQuestionOf(row, question, known)) {
            row.state = RowState::notAnAnswer;
            table.notices.push_back({row.row, notAnAnswerText(row)});
            continue;
        }
        const auto [found, inserted] = byAnswer.emplace(key, &row);
        if (!inserted) {
            row.state = RowState::repeated;
            table.notices.push_back({row.row, rowText(row.row) + " repeats " + std::string(trimmed(row.student)) +
                                                  ", question " +
                                                  std::to_string(question) + " of " + rowText(found->second->row) +
                                                  "; only " + rowText(found->second->row) + " counts"});
        }
    }
}

// A row marked for an answer the student has since replaced keeps that answer: its text is taken
// again from the hand-ins where they still hold it, so that a spreadsheet's changes to the cell do
// not last.
void keepMarkedAnswer(MarksRow& row, const CurrentAnswer& answer) {
    for (auto earlier = answer.earlier.rbegin(); earlier != answer.earlier.rend(); ++earlier)
        if (rowIsFor(row, *earlier)) {
            row.response = *earlier;
            break;
        }
    if (row.answerKey.empty()) row.answerKey = answerKey(row.response);
}

void mergeOne(MarksRow& row, const CurrentAnswer& answer, std::vector<MarksNotice>& notices) {
    if (rowIsFor(row, answer.response) || trimmed(row.mark).empty()) {
        row.response = answer.response;
        row.answerKey = answerKey(answer.response);
        row.confidence = answer.confidence;
        row.state = RowState::current;
        return;
    }
    row.state = RowState::changedSinceMarked;
    row.newResponse = answer.response;
    keepMarkedAnswer(row, answer);
    notices.push_back({row.row, rowText(row.row) + ": " + answer.student + " answered question " +
                                    std::to_string(answer.question) +
                                    " again since it was marked; the mark stays with the earlier answer "
                                    "until you clear it",
                           false});
}

constexpr std::string_view workbookExtensions[] = {".xlsx", ".xls", ".ods"};
constexpr std::string_view zipSignature = "PK\x03\x04";
constexpr std::string_view oleSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

bool hasWorkbookExtension(const fs::path& path) {
    const std::string extension = lowered(utf8Path(path.extension()));
    return std::find(std::begin(workbookExtensions), std::end(workbookExtensions), extension) !=
           std::end(workbookExtensions);
}

bool startsLikeWorkbook(const fs::path& path) {
    const Result<WholeFile> read = readWholeFile(path, anySize);
    if (read.failure) return false;   // reading the marks file itself will say why
    return read.value.bytes.starts_with(zipSignature) || read.value.bytes.starts_with(oleSignature);
}

}  // namespace

void checkMarksFileName(const fs::path& path) {
    const std::string shownName = utf8Path(path);
    std::error_code error;
    const bool exists = fs::exists(path, error);
    if (hasWorkbookExtension(path) || (exists && startsLikeWorkbook(path)))
        throw MarksFileError(shownName + " is a spreadsheet workbook; save it as CSV (comma or semicolon separated) "
                                         "and give that file");
    if (!exists && !error && lowered(utf8Path(path.extension())) != ".csv")
        throw MarksFileError("there is no marks file " + shownName +
                             ", and a new marks file is only made with a name ending in .csv");
}

std::string builtinAssignmentName() {
    return toUtf8(handin::KnownAssignments::builtinOnly().all().front()->headerLine);
}

std::optional<int> MarksRow::questionNumber() const {
    const std::string_view text = trimmed(question);
    if (text.empty() || text.size() > 3) return std::nullopt;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < 1) return std::nullopt;
    return number;
}

Mark MarksRow::markValue() const { return parseMark(mark).value_or(Mark::unmarked); }

bool MarksRow::counts() const { return state == RowState::current || state == RowState::changedSinceMarked; }

std::optional<Mark> parseMark(std::string_view cell) {
    const std::string text = lowered(trimmed(cell));
    if (text.empty()) return Mark::unmarked;
    if (text == "right" || text == "r") return Mark::right;
    if (text == "wrong" || text == "w") return Mark::wrong;
    switch (wholeZeroOrOne(text)) {
    case 1: return Mark::right;
    case 0: return Mark::wrong;
    default: return std::nullopt;
    }
}

bool sameResponse(std::string_view a, std::string_view b) { return comparable(a) == comparable(b); }

bool rowIsFor(const MarksRow& row, std::string_view response) {
    return row.answerKey.empty() ? sameResponse(row.response, response) : row.answerKey == answerKey(response);
}

MarksTable parseMarksFile(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        throw MarksFileError("it is saved as UTF-16 (\"Unicode text\"); save it as CSV in UTF-8 or Windows-1252");
    SpreadsheetTable csv;
    try {
        csv = readSpreadsheetCsv(bytes);
    } catch (const SpreadsheetCsvError& error) {
        throw MarksFileError(error.what());
    }
    if (csv.rows.empty()) throw MarksFileError("it is empty; it must start with the row " + requiredColumnsText());
    const ColumnPlaces places = columnPlaces(csv.rows.front());
    MarksTable table;
    table.separator = csv.separator == ';' ? ';' : ',';
    for (std::size_t i = 1; i < csv.rows.size(); ++i) {
        if (allBlank(csv.rows[i])) continue;
        const int rowNumber = static_cast<int>(i) + 1;
        MarksRow row = rowFromCells(csv.rows[i], places, rowNumber);
        if (!parseMark(row.mark))
            table.notices.push_back({rowNumber, rowText(rowNumber) + ": the mark \"" + row.mark +
                                                    "\" is not 1, 0, right or wrong; counted as unmarked"});
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::optional<MarksTable> readMarksFile(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) return std::nullopt;
    const std::string shownName = utf8Path(path);
    if (error || !fs::is_regular_file(status))
        throw MarksFileError("cannot read the marks file " + shownName + ": it is not a file");
    const Result<WholeFile> read = readWholeFile(path, anySize);
    if (read.failure)
        throw MarksFileError((read.value.brokeOff ? "cannot read the marks file " : "cannot open the marks file ") +
                             shownName);
    try {
        return parseMarksFile(read.value.bytes);
    } catch (const MarksFileError& malformed) {
        throw MarksFileError("the marks file " + shownName + " is not a marks file as written by this program: " +
                             malformed.what() + ". It was left as it is.");
    }
}

MarksMerge::MarksMerge(MarksTable& table, const handin::KnownAssignments& known) : table_(table) {
    classifyRows(table_, byAnswer_, known);
}

std::vector<MarksRow> MarksMerge::addAnswers(const std::vector<CurrentAnswer>& answers) {
    std::vector<MarksRow> rows;
    for (const CurrentAnswer& answer : answers) {
        const std::string assignment = answer.assignment.empty() ? builtinAssignmentName() : answer.assignment;
        const AnswerKey key{studentKeyOf(answer.student), assignment, answer.question};
        if (const auto found = byAnswer_.find(key); found != byAnswer_.end()) {
            mergeOne(*found->second, answer, table_.notices);
            rows.push_back(*found->second);
            continue;
        }
        if (const auto earlier = addedIndex_.find(key); earlier != addedIndex_.end()) {
            MarksRow& row = added_[earlier->second];
            row.confidence = answer.confidence;
            row.response = answer.response;
            row.answerKey = answerKey(answer.response);
            rows.push_back(row);
            continue;
        }
        MarksRow row;
        row.student = answer.student;
        row.question = std::to_string(answer.question);
        row.assignment = assignment;
        row.confidence = answer.confidence;
        row.response = answer.response;
        row.answerKey = answerKey(answer.response);
        row.state = RowState::added;
        addedIndex_.emplace(key, added_.size());
        added_.push_back(row);
        rows.push_back(std::move(row));
    }
    return rows;
}

void MarksMerge::finish() {
    for (MarksRow& row : table_.rows)
        if (row.state == RowState::unchecked) {
            row.state = RowState::responseGone;
            if (row.answerKey.empty()) row.answerKey = answerKey(row.response);
            table_.notices.push_back({row.row, rowText(row.row) + ": no hand-in holds " +
                                                   std::string(trimmed(row.student)) + "'s answer to question " +
                                                   std::string(trimmed(row.question)) + " any more; the row is kept",
                                    false});
        }
    byAnswer_.clear();  // the rows may move when the new ones are added
    std::move(added_.begin(), added_.end(), std::back_inserter(table_.rows));
    added_.clear();
    addedIndex_.clear();
}

void mergeAnswers(MarksTable& table, const std::vector<CurrentAnswer>& answers,
                  const handin::KnownAssignments& known) {
    MarksMerge merge(table, known);
    merge.addAnswers(answers);
    merge.finish();
}

CbmFigures studentFigures(const MarksTable& table, std::string_view student) {
    const std::string key = studentKeyOf(student);
    CbmFigures figures;
    for (const MarksRow& row : table.rows) {
        const Mark mark = row.markValue();
        if (row.counts() && mark != Mark::unmarked && studentKeyOf(row.student) == key)
            figures.add(row.confidence, mark == Mark::right);
    }
    return figures;
}

std::string marksFileBytes(const MarksTable& table) {
    std::string out(utf8ByteOrderMark);
    std::vector<std::string_view> names;
    for (const MarksColumn& column : marksColumns) names.push_back(column.name);
    appendCsvHeader(out, names, table.separator);
    std::vector<CsvCell> cells(columnCount);
    for (const MarksRow& row : table.rows) {
        for (std::size_t c = 0; c < columnCount; ++c) {
            const std::string& value = row.*marksColumns[c].cell;
            cells[c] = marksColumns[c].typed ? csvTyped(value) : CsvCell{value};
        }
        appendCsvRow(out, cells, table.separator);
    }
    return out;
}

void writeMarksFile(const fs::path& path, const MarksTable& table) {
    if (const Status failure = replaceFileAtomically(path, marksFileBytes(table)))
        throw MarksFileError(cannotWrite(*failure));
}

}  // namespace stepwise::review
