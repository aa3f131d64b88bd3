#include "review/csv.h"

#include "format/byte_search.h"

namespace stepwise::review {

namespace {

// The bytes a field cannot copy as they stand: C0 controls other than tab, CR and LF, DEL, the
// first byte of a C1 control's two (C2), and the quote, which is doubled.
constexpr ByteSet<3> fieldSpecialBytes{{0x7F, static_cast<char>(0xC2), '"'}, true};

// The bytes that start a formula when a cell or a part of it split off begins with them.
constexpr ByteSet<4> formulaStarts{{'=', '+', '-', '@'}, false};

// Both: a field's bytes looked at once, to copy them and to tell whether they need a guard.
constexpr ByteSet<7> fieldSpecialOrFormulaBytes{{0x7F, static_cast<char>(0xC2), '"', '=', '+', '-', '@'}, true};

bool splitsCell(char c) { return c == ';' || c == ',' || c == '\t' || c == '\r' || c == '\n'; }

constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

bool isC1At(std::string_view utf8, std::size_t i) {
    if (i + 1 >= utf8.size()) return false;
    const auto next = static_cast<unsigned char>(utf8[i + 1]);
    return next >= 0x80 && next < 0xA0;
}

// Whether the formula's start at `at` begins a cell a spreadsheet splits off: a splitter before
// it, blanks aside (tab, CR and LF are splitters too).
bool startsSplitCell(std::string_view text, std::size_t at) {
    for (std::size_t before = at; before-- > 0;) {
        if (splitsCell(text[before])) return true;
        if (text[before] != ' ') break;
    }
    return false;
}

bool startsFormula(std::string_view text) {
    return !text.empty() && (formulaStarts.contains(static_cast<unsigned char>(text.front())) || text.front() == '\t' ||
                             text.front() == '\r');
}

// Appends the text as a cell holds it (csvText), doubling quotes when `quoted`; runs of plain
// bytes are copied at once, up to the next of `stops`. Where the stops hold the formula starts
// too, tells whether one inside the text begins a cell a spreadsheet splits off (see
// needsFormulaGuard); else false.
template <std::size_t N>
bool appendCellText(std::string& out, std::string_view utf8, bool quoted, const ByteSet<N>& stops) {
    ByteScanner scanner(utf8, stops);
    bool splitFormula = false;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t run = scanner.next(i);
        out.append(utf8.data() + i, run - i);
        if (run == utf8.size()) break;
        const auto c = static_cast<unsigned char>(utf8[run]);
        i = run + 1;
        if (c == '"') {
            out.append("\"\"", quoted ? 2 : 1);
        } else if (formulaStarts.contains(c)) {
            out += static_cast<char>(c);
            splitFormula = splitFormula || startsSplitCell(utf8, run);
        } else if (c != 0xC2) {
            out += replacementCharacter;
        } else if (isC1At(utf8, run)) {
            out += replacementCharacter;  // U+0080 to U+009F
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return splitFormula;
}

}  // namespace

std::string csvText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    appendCellText(out, utf8, false, fieldSpecialBytes);
    return out;
}

// Control characters become U+FFFD, which is neither a blank nor a splitter nor a formula's
// start: the raw text needs a guard exactly when the cell's text does.
bool needsFormulaGuard(std::string_view text) {
    if (startsFormula(text)) return true;
    ByteScanner scanner(text, formulaStarts);
    for (std::size_t at = scanner.next(1); at < text.size(); at = scanner.next(at + 1))
        if (startsSplitCell(text, at)) return true;
    return false;
}

CsvCell csvTyped(std::string value) {
    std::size_t digits = 0, points = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c >= '0' && c <= '9') ++digits;
        else if (c == '.' && i > 0 && i + 1 < value.size() && ++points == 1) continue;
        else return {std::move(value), false};
    }
    return {std::move(value), digits > 0};
}

std::string csvField(std::string_view utf8) {
    std::string quoted;
    appendCsvField(quoted, utf8);
    return quoted;
}

void appendCsvField(std::string& out, std::string_view utf8) {
    if (utf8.empty()) return;
    out += '"';
    // The text is copied and looked at for formulas in one pass; the guard, seldom needed, is put
    // in before it afterwards.
    const std::size_t start = out.size();
    if (appendCellText(out, utf8, true, fieldSpecialOrFormulaBytes) || startsFormula(utf8)) out.insert(start, 1, '\'');
    out += '"';
}

void appendCsvRow(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        appendCsvField(out, fields[i]);
    }
    out += "\r\n";
}

void appendCsvRow(std::string& out, const std::vector<CsvCell>& cells, char separator) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i) out += separator;
        if (cells[i].number)
            out += cells[i].value;
        else
            appendCsvField(out, cells[i].value);
    }
    out += "\r\n";
}

void appendCsvHeader(std::string& out, const std::vector<std::string_view>& names, char separator) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i) out += separator;
        out += names[i];
    }
    out += "\r\n";
}

}  // namespace stepwise::review
