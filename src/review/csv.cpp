#include "review/csv.h"

namespace stepwise::review {

namespace {

bool looksLikeFormula(std::string_view field) {
    if (field.empty()) return false;
    switch (field.front()) {
    case '=': case '+': case '-': case '@': case '\t': case '\r': return true;
    default: return false;
    }
}

}  // namespace

std::string csvField(std::string_view utf8) {
    std::string field;
    if (looksLikeFormula(utf8)) field += '\'';
    field += utf8;
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) {
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

}  // namespace stepwise::review
