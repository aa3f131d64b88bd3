#pragma once
// Spreadsheet files as instructors open them: RFC 4180 fields, UTF-8 with a byte-order mark and
// CR LF row ends. Every text cell is quoted, and a cell that a spreadsheet could run as a formula,
// whichever separator it splits at (comma, semicolon or tab), gets a leading apostrophe.
#include <string>
#include <string_view>
#include <vector>

namespace stepwise::review {

// The UTF-8 byte-order mark that starts every file the program writes for spreadsheets.
inline constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// The text a cell holds: control characters other than tab, CR and LF (C0, DEL, C1) as U+FFFD.
std::string csvText(std::string_view utf8);

// True when a spreadsheet could take the cell, or a piece of it split at ; , tab or a line
// break, for a formula: it starts with =, +, -, @, a tab or CR, or one of ; , tab CR LF is
// followed, after blanks, by =, +, -, @.
bool needsFormulaGuard(std::string_view text);

// One text field: csvText, a leading apostrophe where needsFormulaGuard, quoted (quotes doubled);
// an empty field stays empty.
std::string csvField(std::string_view utf8);
void appendCsvField(std::string& out, std::string_view utf8);

// One cell of a row: text, or a number the program wrote, which stands unquoted.
struct CsvCell {
    std::string value;
    bool number = false;
};
inline CsvCell csvNumber(std::string value) { return {std::move(value), true}; }
// A cell typed by someone: a number when it is digits with at most one decimal point between
// digits (3, 1.0), else text (0,5 too, which holds the separator).
CsvCell csvTyped(std::string value);

// Appends one row, fields separated by commas, ended by CR LF: every field text.
void appendCsvRow(std::string& out, const std::vector<std::string>& fields);
void appendCsvRow(std::string& out, const std::vector<CsvCell>& cells);

// A header row of the program's own column names, as they stand.
void appendCsvHeader(std::string& out, const std::vector<std::string_view>& names);

}  // namespace stepwise::review
