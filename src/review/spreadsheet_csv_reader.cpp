#include "review/spreadsheet_csv_reader.h"

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

// Splits UTF-8 text into rows and fields. Within quotes a doubled quote is one quote; text after
// a closing quote is kept as spreadsheets keep it.
class CsvSplitter {
public:
    CsvSplitter(std::string_view text, char separator) : text_(text), separator_(separator) {}

    std::vector<std::vector<std::string>> rows() {
        std::vector<std::vector<std::string>> rows;
        std::vector<std::string> row;
        std::string field;
        int line = 1;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '"' && field.empty() && !fieldStarted_) {
                readQuoted(field, line);
                fieldStarted_ = true;
            } else if (c == separator_) {
                row.push_back(std::move(field));
                field.clear();
                fieldStarted_ = false;
                ++pos_;
            } else if (c == '\r' || c == '\n') {
                skipLineEnd();
                ++line;
                row.push_back(std::move(field));
                field.clear();
                fieldStarted_ = false;
                rows.push_back(std::move(row));
                row.clear();
            } else {
                field += c;
                fieldStarted_ = true;
                ++pos_;
            }
        }
        if (fieldStarted_ || !row.empty()) {
            row.push_back(std::move(field));
            rows.push_back(std::move(row));
        }
        return rows;
    }

private:
    void skipLineEnd() {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
    }

    // Reads a quoted field from its opening quote to its closing one; line breaks become CR LF.
    void readQuoted(std::string& field, int& line) {
        const int startLine = line;
        ++pos_;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                    field += '"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return;
            }
            if (c == '\r' || c == '\n') {
                skipLineEnd();
                ++line;
                field += "\r\n";
                continue;
            }
            field += c;
            ++pos_;
        }
        throw SpreadsheetCsvError("the quoted field starting on line " + std::to_string(startLine) +
                                  " has no closing quote");
    }

    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
    bool fieldStarted_ = false;
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

SpreadsheetTable readSpreadsheetCsv(std::string_view bytes) {
    SpreadsheetTable table;
    const std::string text = spreadsheetTextToUtf8(bytes, table.encoding);
    table.separator = detectSeparator(text);
    table.rows = CsvSplitter(text, table.separator).rows();
    return table;
}

std::string withoutFormulaGuard(std::string_view cell) {
    // The writer put the apostrophe there exactly when it would guard what follows it.
    if (cell.size() < 2 || cell[0] != '\'' || cell[1] == '\'') return std::string(cell);
    const std::string_view rest = cell.substr(1);
    const std::string written = csvField(rest);
    const bool guarded = written.starts_with("\"'");
    return std::string(guarded ? rest : cell);
}

}  // namespace stepwise::review
