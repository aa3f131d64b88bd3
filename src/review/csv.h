#pragma once
// Spreadsheet files as instructors open them: RFC 4180 fields, UTF-8 with a byte-order mark and
// CR LF row ends. A cell that a spreadsheet would run as a formula gets a leading apostrophe.
#include <string>
#include <string_view>
#include <vector>

namespace stepwise::review {

// The UTF-8 byte-order mark that starts every file the program writes for spreadsheets.
inline constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// One field: quoted when it holds a comma, quote, CR or LF (quotes doubled); a field that begins
// with =, +, -, @, a tab or CR gets a leading apostrophe first.
std::string csvField(std::string_view utf8);

// Appends one row, fields separated by commas, ended by CR LF.
void appendCsvRow(std::string& out, const std::vector<std::string>& fields);

}  // namespace stepwise::review
