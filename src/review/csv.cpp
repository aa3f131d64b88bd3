#include "review/csv.h"

namespace stepwise::review {

namespace {

bool startsFormula(char c) { return c == '=' || c == '+' || c == '-' || c == '@'; }
bool splitsCells(char c) { return c == ';' || c == ',' || c == '\t' || c == '\r' || c == '\n'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string csvText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F) {
            out += "\xEF\xBF\xBD";
        } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            out += "\xEF\xBF\xBD";  // C1, U+0080 to U+009F
            ++i;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

bool needsFormulaGuard(std::string_view text) {
    if (text.empty()) return false;
    if (startsFormula(text.front()) || text.front() == '\t' || text.front() == '\r') return true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!splitsCells(text[i])) continue;
        std::size_t next = i + 1;
        while (next < text.size() && isBlank(text[next])) ++next;
        if (next < text.size() && startsFormula(text[next])) return true;
    }
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
    if (utf8.empty()) return {};
    const std::string text = csvText(utf8);
    std::string quoted = needsFormulaGuard(text) ? "\"'" : "\"";
    quoted.reserve(text.size() + 3);
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

void appendCsvRow(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        out += csvField(fields[i]);
    }
    out += "\r\n";
}

void appendCsvRow(std::string& out, const std::vector<CsvCell>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i) out += ',';
        out += cells[i].number ? cells[i].value : csvField(cells[i].value);
    }
    out += "\r\n";
}

void appendCsvHeader(std::string& out, const std::vector<std::string_view>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i) out += ',';
        out += names[i];
    }
    out += "\r\n";
}

}  // namespace stepwise::review
