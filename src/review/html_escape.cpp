#include "review/html_escape.h"

namespace stepwise::review {

std::string escapeHtml(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        case '\0': out += "\xEF\xBF\xBD"; break;  // a NUL has no place in HTML text
        default: out += c;
        }
    }
    return out;
}

}  // namespace stepwise::review
