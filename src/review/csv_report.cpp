#include "review/csv_report.h"

#include <fstream>
#include <optional>
#include <vector>

#include "review/csv.h"
#include "review/report_text.h"
#include "review/spreadsheet_csv_reader.h"

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

// The first column headed "mark", in any case and with blanks around it.
std::optional<std::size_t> markColumn(const std::vector<std::string>& header) {
    for (std::size_t i = 0; i < header.size(); ++i)
        if (lowerAscii(trimmedBlanks(header[i])) == "mark") return i;
    return std::nullopt;
}

constexpr std::size_t separatorSearchBytes = 64 * 1024;

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
        {entry.text},
        {record.confidence ? reportUtf8(*record.confidence) : std::string()},
        {record.selfCritique ? reportUtf8(*record.selfCritique) : std::string()},
        csvNumber(number(entry.seconds)),
        {mark == marks.end() ? std::string() : mark->second},
        {reportUtf8(entry.sessionData->assignmentHeader)},
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
    std::filebuf file;
    if (!file.open(path, std::ios::in | std::ios::binary)) return 0;  // cannot be written either: said then
    // The separator is found in the first row, which a report's header keeps short.
    std::string start(separatorSearchBytes, '\0');
    start.resize(static_cast<std::size_t>(file.sgetn(start.data(), static_cast<std::streamsize>(start.size()))));
    const bool byteOrderMark = std::string_view(start).starts_with(utf8ByteOrderMark);
    file.pubseekpos(byteOrderMark ? utf8ByteOrderMark.size() : 0);
    CsvRowReader rows(file, csvSeparatorOf(start));
    std::size_t marks = 0;
    try {
        std::vector<std::string> row;
        if (!rows.next(row)) return 0;
        const std::optional<std::size_t> column = markColumn(row);
        if (!column) return 0;
        while (rows.next(row))
            if (*column < row.size() && !trimmedBlanks(row[*column]).empty()) ++marks;
    } catch (const SpreadsheetCsvError&) {
        return 0;
    }
    return marks;
}

}  // namespace stepwise::review
