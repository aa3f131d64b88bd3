#pragma once
// Reads CSV files as spreadsheets really save them: UTF-8 with or without a byte-order mark or
// Windows-1252; comma, semicolon or tab separators; quoted fields holding separators, quotes and
// line breaks; CR LF, LF or CR row ends.
#include <memory>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace stepwise::review {

// A file that cannot be read as CSV at all (a quoted field that never ends).
class SpreadsheetCsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class SpreadsheetEncoding { utf8, cp1252 };

struct SpreadsheetTable {
    SpreadsheetEncoding encoding = SpreadsheetEncoding::utf8;
    char separator = ',';
    // Every row as a spreadsheet numbers it (row 1 first, blank rows included), fields in UTF-8,
    // line breaks inside a field as CR LF.
    std::vector<std::vector<std::string>> rows;
};

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// The file's text in UTF-8: a leading byte-order mark dropped; bytes that are not valid UTF-8
// are taken as Windows-1252, the code page spreadsheets on Windows save in.
std::string spreadsheetTextToUtf8(std::string_view bytes, SpreadsheetEncoding& encoding);

// Reads the whole file. The separator is the one of comma, semicolon and tab found most often
// in the first row outside quotes (comma when none is). Throws SpreadsheetCsvError when a quoted
// field runs to the end of the file.
SpreadsheetTable readSpreadsheetCsv(std::string_view bytes);

// The separator of a file whose first row (or more) is given, as readSpreadsheetCsv finds it.
char csvSeparatorOf(std::string_view firstRow);

// Rows one at a time, so that a large file is read in the memory of its longest row. Fields are
// the bytes as they stand, quotes removed and line breaks inside them as CR LF. next() throws
// SpreadsheetCsvError for a quoted field that never ends.
class CsvRowReader {
public:
    CsvRowReader(std::streambuf& bytes, char separator);
    // The next row; false at the end of the bytes.
    bool next(std::vector<std::string>& row);
    // The next row's field `column` alone ("" when the row is shorter); the others are passed over
    // without being copied. False at the end of the bytes.
    bool nextField(std::size_t column, std::string& field);

private:
    template <class FieldAt>
    bool readRow(FieldAt fieldAt);
    bool refill();  // false at the end of the bytes
    int peek();
    void skipLineEnd(char c);
    void readQuoted(std::string* field);

    std::streambuf& in_;
    char separator_;
    int line_ = 1;
    // The bytes taken from `in_` in blocks, to be split with memchr-like scans.
    std::unique_ptr<char[]> block_;
    std::string_view buffer_;
    std::size_t at_ = 0;
};

// Undoes the apostrophe the CSV writer puts before a cell a spreadsheet would run as a formula,
// so that a file read and written again does not gain an apostrophe each time.
std::string withoutFormulaGuard(std::string_view cell);

}  // namespace stepwise::review
