#include "review/spreadsheet_csv_reader.h"

#include <streambuf>

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

bool CsvRowReader::next(std::vector<std::string>& row) {
    row.clear();
    if (in_.sgetc() == std::char_traits<char>::eof()) return false;
    std::string field;
    bool started = false;  // the field holds text, or a quoted part, even an empty one
    for (;;) {
        const int c = in_.sbumpc();
        if (c == std::char_traits<char>::eof()) break;
        if (c == '"' && !started) {
            readQuoted(field);
            started = true;
        } else if (c == separator_) {
            row.push_back(std::move(field));
            field.clear();
            started = false;
        } else if (c == '\r' || c == '\n') {
            skipLineEnd(c);
            ++line_;
            break;
        } else {
            field += static_cast<char>(c);
            started = true;
        }
    }
    row.push_back(std::move(field));
    return true;
}

void CsvRowReader::skipLineEnd(int c) {
    if (c == '\r' && in_.sgetc() == '\n') in_.sbumpc();
}

// From after the opening quote to after the closing one; line breaks become CR LF.
void CsvRowReader::readQuoted(std::string& field) {
    const int startLine = line_;
    for (;;) {
        const int c = in_.sbumpc();
        if (c == std::char_traits<char>::eof())
            throw SpreadsheetCsvError("the quoted field starting on line " + std::to_string(startLine) +
                                      " has no closing quote");
        if (c == '"') {
            if (in_.sgetc() != '"') return;
            in_.sbumpc();
            field += '"';
        } else if (c == '\r' || c == '\n') {
            skipLineEnd(c);
            ++line_;
            field += "\r\n";
        } else {
            field += static_cast<char>(c);
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
