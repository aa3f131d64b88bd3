#include "review/csv_report.h"

#include <vector>

#include "review/csv.h"
#include "review/report_text.h"
#include "review/spreadsheet_csv_reader.h"
#include "system/whole_file.h"

namespace stepwise::review {

namespace {

std::string_view trimmedBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string number(std::optional<int> value) { return value ? std::to_string(*value) : std::string(); }

std::vector<CsvCell> recordRow(const Student& student, const ClassRecord& entry, const RecordMarks& marks) {
    const auto mark = marks.find(entry.record);
    const handin::Record& record = *entry.record;
    const handin::BlockId& block = record.blockId;
    return {
        {reportUtf8(student.name)},
        {fileNameOf(entry.file->path)},
        {reportUtf8(entry.sessionData->lessonDate)},
        csvNumber(std::to_string(entry.session)),
        {reportUtf8(record.time)},
        {record.kind == handin::RecordKind::response ? "response" : "notes"},
        csvNumber(block.scriptIndex >= 0 ? std::to_string(block.scriptIndex) : std::string()),
        csvNumber(number(block.questionNumber)),
        {std::string(handin::blockKindName(block.kind))},
        {reportUtf8(record.text)},
        {record.confidence ? reportUtf8(*record.confidence) : std::string()},
        {record.selfCritique ? reportUtf8(*record.selfCritique) : std::string()},
        csvNumber(number(entry.seconds)),
        {mark == marks.end() ? std::string() : mark->second},
    };
}

}  // namespace

std::string fileNameOf(const std::string& utf8Path) {
    const auto slash = utf8Path.find_last_of("/\\");
    return slash == std::string::npos ? utf8Path : utf8Path.substr(slash + 1);
}

std::string csvHeader() {
    std::string out(utf8ByteOrderMark);
    appendCsvHeader(out, std::vector<std::string_view>(recordColumns.begin(), recordColumns.end()));
    return out;
}

std::string csvRows(const Student& student, const RecordMarks& marks) {
    std::string out;
    for (const ClassRecord& entry : student.records) appendCsvRow(out, recordRow(student, entry, marks));
    return out;
}

std::size_t marksTypedInCsvReport(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return 0;
    const Result<WholeFile> read = readWholeFile(path, anySize);
    if (read.failure) return 0;  // a file that cannot be read cannot be written either: said then
    SpreadsheetTable table;
    try {
        table = readSpreadsheetCsv(read.value.bytes);
    } catch (const SpreadsheetCsvError&) {
        return 0;
    }
    if (table.rows.empty()) return 0;
    const std::vector<std::string>& header = table.rows.front();
    std::size_t column = header.size();
    for (std::size_t i = header.size(); i-- > 0;)
        if (lowerAscii(trimmedBlanks(header[i])) == "mark") column = i;
    if (column == header.size()) return 0;
    std::size_t marks = 0;
    for (std::size_t row = 1; row < table.rows.size(); ++row)
        if (column < table.rows[row].size() && !trimmedBlanks(table.rows[row][column]).empty()) ++marks;
    return marks;
}

}  // namespace stepwise::review
