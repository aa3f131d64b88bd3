#include "review/spreadsheet_csv_reader.h"

#include <streambuf>

#include "format/byte_search.h"
#include "format/cp1252.h"
#include "format/utf8.h"
#include "review/csv.h"

namespace stepwise::review {

namespace {

// The separator of the first row: the candidate seen most often outside quotes.
char detectSeparator(std::string_view text) {
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\r' || c == '\n') break;
        if (c == ',') ++commas;
        if (c == ';') ++semicolons;
        if (c == '\t') ++tabs;
    }
    if (semicolons > commas && semicolons >= tabs) return ';';
    if (tabs > commas && tabs > semicolons) return '\t';
    return ',';
}

// A read-only stream over bytes held elsewhere, so that text in memory and a file are split by
// the same code without a copy.
class ViewBuffer : public std::streambuf {
public:
    explicit ViewBuffer(std::string_view bytes) {
        char* begin = const_cast<char*>(bytes.data());  // only read: the get area never writes
        setg(begin, begin, begin + bytes.size());
    }
};

}  // namespace

bool isValidUtf8(std::string_view bytes) { return !firstUtf8Error(bytes); }

std::string spreadsheetTextToUtf8(std::string_view bytes, SpreadsheetEncoding& encoding) {
    if (bytes.starts_with(utf8ByteOrderMark)) bytes.remove_prefix(utf8ByteOrderMark.size());
    if (isValidUtf8(bytes)) {
        encoding = SpreadsheetEncoding::utf8;
        return std::string(bytes);
    }
    encoding = SpreadsheetEncoding::cp1252;
    return toUtf8(decodeCp1252(bytes));
}

CsvRowReader::CsvRowReader(std::streambuf& bytes, char separator) : in_(bytes), separator_(separator) {}

bool CsvRowReader::refill() {
    if (at_ < buffer_.size()) return true;
    constexpr std::size_t blockSize = 1 << 16;
    if (!block_) block_ = std::make_unique_for_overwrite<char[]>(blockSize);
    buffer_ = {block_.get(), static_cast<std::size_t>(in_.sgetn(block_.get(), static_cast<std::streamsize>(blockSize)))};
    at_ = 0;
    return !buffer_.empty();
}

int CsvRowReader::peek() { return refill() ? static_cast<unsigned char>(buffer_[at_]) : std::char_traits<char>::eof(); }

bool CsvRowReader::next(std::vector<std::string>& row) {
    row.clear();
    return readRow([&row](std::size_t) { return &row.emplace_back(); });
}

bool CsvRowReader::nextField(std::size_t column, std::string& field) {
    field.clear();
    return readRow([&field, column](std::size_t index) { return index == column ? &field : nullptr; });
}

// Splits a row; `fieldAt(index)` gives where each field's text goes, or null to pass over it.
template <class FieldAt>
bool CsvRowReader::readRow(FieldAt fieldAt) {
    if (!refill()) return false;
    const ByteSet<4> stops{{separator_, '\r', '\n', '"'}};
    std::size_t index = 0;
    std::string* field = fieldAt(index);
    bool started = false;  // the field holds text, or a quoted part, even an empty one
    while (refill()) {
        const std::size_t stop = findByteOf(buffer_, at_, stops);
        started = started || stop > at_;
        if (field) field->append(buffer_.substr(at_, stop - at_));
        at_ = stop;
        if (stop == buffer_.size()) continue;
        const char c = buffer_[at_++];
        if (c == '"' && !started) {
            readQuoted(field);
            started = true;
        } else if (c == '"') {
            if (field) *field += c;
        } else if (c == separator_) {
            field = fieldAt(++index);
            started = false;
        } else {
            skipLineEnd(c);
            ++line_;
            break;
        }
    }
    return true;
}

void CsvRowReader::skipLineEnd(char c) {
    if (c == '\r' && peek() == '\n') ++at_;
}

// From after the opening quote to after the closing one; line breaks become CR LF. A null field
// is passed over.
void CsvRowReader::readQuoted(std::string* field) {
    const int startLine = line_;
    constexpr ByteSet<3> stops{{'"', '\r', '\n'}};
    for (;;) {
        if (!refill())
            throw SpreadsheetCsvError("the quoted field starting on line " + std::to_string(startLine) +
                                      " has no closing quote");
        const std::size_t stop = findByteOf(buffer_, at_, stops);
        if (field) field->append(buffer_.substr(at_, stop - at_));
        at_ = stop;
        if (stop == buffer_.size()) continue;
        const char c = buffer_[at_++];
        if (c == '"') {
            if (peek() != '"') return;
            ++at_;
            if (field) *field += '"';
        } else {
            skipLineEnd(c);
            ++line_;
            if (field) *field += "\r\n";
        }
    }
}

SpreadsheetTable readSpreadsheetCsv(std::string_view bytes) {
    SpreadsheetTable table;
    const std::string text = spreadsheetTextToUtf8(bytes, table.encoding);
    table.separator = detectSeparator(text);
    ViewBuffer view(text);
    CsvRowReader reader(view, table.separator);
    for (std::vector<std::string> row; reader.next(row);) table.rows.push_back(std::move(row));
    return table;
}

char csvSeparatorOf(std::string_view firstRow) { return detectSeparator(firstRow); }

std::string withoutFormulaGuard(std::string_view cell) {
    // The writer put the apostrophe there exactly when it would guard what follows it.
    if (cell.size() < 2 || cell[0] != '\'' || cell[1] == '\'') return std::string(cell);
    const std::string_view rest = cell.substr(1);
    const std::string written = csvField(rest);
    const bool guarded = written.starts_with("\"'");
    return std::string(guarded ? rest : cell);
}

}  // namespace stepwise::review
