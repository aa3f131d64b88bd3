#include "review/marks_file.h"

#include <iterator>
#include <map>
#include <utility>

#include "handin/student_identity.h"
#include "review/csv.h"
#include "review/report_text.h"
#include "review/spreadsheet_csv_reader.h"
#include "system/atomic_file_replace.h"
#include "system/path_text.h"
#include "system/whole_file.h"

namespace stepwise::review {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t columnCount = 5;
constexpr std::string_view columnNames[columnCount] = {"student", "question", "confidence", "mark", "response"};

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

void checkHeader(const std::vector<std::string>& header) {
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string name = lowered(trimmed(header[i]));
        if (i < columnCount && name == columnNames[i]) continue;
        if (i >= columnCount && name.empty()) continue;
        throw MarksFileError("its first row must be exactly \"" + std::string(marksFileHeader) +
                             "\"; column " + std::to_string(i + 1) + " is \"" + header[i] + "\"");
    }
    if (header.size() < columnCount)
        throw MarksFileError("its first row must be exactly \"" + std::string(marksFileHeader) + "\"; it has only " +
                             std::to_string(header.size()) + " column(s)");
}

MarksRow rowFromCells(std::vector<std::string> cells, int rowNumber) {
    for (std::size_t i = columnCount; i < cells.size(); ++i)
        if (!trimmed(cells[i]).empty())
            throw MarksFileError(rowText(rowNumber) + " has a value in column " + std::to_string(i + 1) +
                                 ", beyond the five marks columns; writing the file again would lose it");
    cells.resize(columnCount);
    for (std::string& cell : cells) cell = withoutFormulaGuard(cell);
    MarksRow row;
    row.row = rowNumber;
    row.student = std::move(cells[0]);
    row.question = std::move(cells[1]);
    row.confidence = std::move(cells[2]);
    row.mark = std::move(cells[3]);
    row.response = std::move(cells[4]);
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

AnswerKey keyOf(const MarksRow& row) { return {studentKeyOf(row.student), row.questionNumber().value_or(0)}; }

// Marks rows without a student or a question 1-12, and later rows repeating an earlier one.
void classifyRows(MarksTable& table, std::map<AnswerKey, MarksRow*>& byAnswer) {
    for (MarksRow& row : table.rows) {
        const AnswerKey key = keyOf(row);
        if (key.first.empty() || key.second == 0) {
            row.state = RowState::notAnAnswer;
            table.notices.push_back({row.row, rowText(row.row) + " names no student or no question 1-12; kept as it is"});
            continue;
        }
        const auto [found, inserted] = byAnswer.emplace(key, &row);
        if (!inserted) {
            row.state = RowState::repeated;
            table.notices.push_back({row.row, rowText(row.row) + " repeats " + std::string(trimmed(row.student)) +
                                                  ", question " +
                                                  std::to_string(key.second) + " of " + rowText(found->second->row) +
                                                  "; only " + rowText(found->second->row) + " counts"});
        }
    }
}

void mergeOne(MarksRow& row, const CurrentAnswer& answer, std::vector<MarksNotice>& notices) {
    if (sameResponse(row.response, answer.response) || trimmed(row.mark).empty()) {
        row.response = answer.response;
        row.confidence = answer.confidence;
        row.state = RowState::current;
        return;
    }
    row.state = RowState::changedSinceMarked;
    row.newResponse = answer.response;
    notices.push_back({row.row, rowText(row.row) + ": " + answer.student + " answered question " +
                                    std::to_string(answer.question) +
                                    " again since it was marked; the mark stays with the earlier answer "
                                    "until you clear it",
                           false});
}

}  // namespace

std::optional<int> MarksRow::questionNumber() const {
    const std::string_view text = trimmed(question);
    if (text.empty() || text.size() > 2) return std::nullopt;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > 12) return std::nullopt;
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

MarksTable parseMarksFile(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        throw MarksFileError("it is saved as UTF-16 (\"Unicode text\"); save it as CSV in UTF-8 or Windows-1252");
    SpreadsheetTable csv;
    try {
        csv = readSpreadsheetCsv(bytes);
    } catch (const SpreadsheetCsvError& error) {
        throw MarksFileError(error.what());
    }
    if (csv.rows.empty()) throw MarksFileError("it is empty; it must start with the row \"" +
                                               std::string(marksFileHeader) + "\"");
    checkHeader(csv.rows.front());
    MarksTable table;
    for (std::size_t i = 1; i < csv.rows.size(); ++i) {
        if (allBlank(csv.rows[i])) continue;
        const int rowNumber = static_cast<int>(i) + 1;
        MarksRow row = rowFromCells(std::move(csv.rows[i]), rowNumber);
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

MarksMerge::MarksMerge(MarksTable& table) : table_(table) { classifyRows(table_, byAnswer_); }

std::vector<MarksRow> MarksMerge::addAnswers(const std::vector<CurrentAnswer>& answers) {
    std::vector<MarksRow> rows;
    for (const CurrentAnswer& answer : answers) {
        const AnswerKey key{studentKeyOf(answer.student), answer.question};
        if (const auto found = byAnswer_.find(key); found != byAnswer_.end()) {
            mergeOne(*found->second, answer, table_.notices);
            rows.push_back(*found->second);
            continue;
        }
        if (const auto earlier = addedIndex_.find(key); earlier != addedIndex_.end()) {
            MarksRow& row = added_[earlier->second];
            row.confidence = answer.confidence;
            row.response = answer.response;
            rows.push_back(row);
            continue;
        }
        MarksRow row;
        row.student = answer.student;
        row.question = std::to_string(answer.question);
        row.confidence = answer.confidence;
        row.response = answer.response;
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

void mergeAnswers(MarksTable& table, const std::vector<CurrentAnswer>& answers) {
    MarksMerge merge(table);
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
    out += marksFileHeader;
    out += "\r\n";
    for (const MarksRow& row : table.rows)
        appendCsvRow(out, std::vector<CsvCell>{{row.student}, csvTyped(row.question), csvTyped(row.confidence),
                                               csvTyped(row.mark), {row.response}});
    return out;
}

void writeMarksFile(const fs::path& path, const MarksTable& table) {
    if (const Status failure = replaceFileAtomically(path, marksFileBytes(table)))
        throw MarksFileError(cannotWrite(*failure));
}

}  // namespace stepwise::review
