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

// One record's row, appended cell by cell: its text, the bulk of a class's CSV, is copied once.
class RowWriter {
public:
    explicit RowWriter(std::string& out) : out_(out) {}
    RowWriter& text(std::string_view value) { return cell([&] { appendCsvField(out_, value); }); }
    RowWriter& number(std::string_view value) { return cell([&] { out_ += value; }); }
    void end() { out_ += "\r\n"; }

private:
    template <typename Append>
    RowWriter& cell(Append append) {
        if (started_) out_ += ',';
        started_ = true;
        append();
        return *this;
    }

    std::string& out_;
    bool started_ = false;
};

void appendRecordRow(std::string& out, const std::string& student, const ClassRecord& entry, const RecordMarks& marks) {
    const auto mark = marks.find(entry.record);
    const handin::Record& record = *entry.record;
    const handin::BlockId& block = record.blockId;
    RowWriter(out)
        .text(student)
        .text(fileNamePart(entry.file->path))
        .text(reportUtf8(entry.sessionData->lessonDate))
        .number(std::to_string(entry.session))
        .text(reportUtf8(record.time))
        .text(record.kind == handin::RecordKind::response ? "response" : "notes")
        .number(block.scriptIndex >= 0 ? std::to_string(block.scriptIndex) : std::string())
        .number(number(block.questionNumber))
        .text(handin::blockKindName(block.kind))
        .text(entry.text)
        .text(record.confidence ? reportUtf8(*record.confidence) : std::string())
        .text(record.selfCritique ? reportUtf8(*record.selfCritique) : std::string())
        .number(number(entry.seconds))
        .text(mark == marks.end() ? std::string_view() : std::string_view(mark->second))
        .text(reportUtf8(entry.sessionData->assignmentHeader))
        .end();
}

}  // namespace

std::string_view fileNamePart(std::string_view utf8Path) {
    // Backwards to the last separator (find_last_of would search its set once a byte).
    std::size_t start = utf8Path.size();
    while (start > 0 && utf8Path[start - 1] != '/' && utf8Path[start - 1] != '\\') --start;
    return utf8Path.substr(start);
}

std::string fileNameOf(const std::string& utf8Path) { return std::string(fileNamePart(utf8Path)); }

std::string csvHeader() {
    std::string out(utf8ByteOrderMark);
    appendCsvHeader(out, std::vector<std::string_view>(recordColumns.begin(), recordColumns.end()));
    return out;
}

std::string csvRows(const Student& student, const RecordMarks& marks) {
    std::string out;
    appendCsvRows(out, student, marks);
    return out;
}

void appendCsvRows(std::string& out, const Student& student, const RecordMarks& marks) {
    const std::string name = reportUtf8(student.name);
    for (const ClassRecord& entry : student.records) appendRecordRow(out, name, entry, marks);
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
        for (std::string mark; rows.nextField(*column, mark);)
            if (!trimmedBlanks(mark).empty()) ++marks;
    } catch (const SpreadsheetCsvError&) {
        return 0;
    }
    return marks;
}

}  // namespace stepwise::review
