#include "review/html_escape.h"

#include "format/utf8.h"

namespace stepwise::review {

void appendControlPicture(std::string& out, unsigned char control) {
    appendUtf8(out, control == 0x7F ? 0x2421 : 0x2400 + control);
}

std::string escapeHtml(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8);
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        case '\t': case '\r': case '\n': out += ch; break;
        default:
            if (c < 0x20 || c == 0x7F) appendControlPicture(out, c);
            else out += ch;
        }
    }
    return out;
}

}  // namespace stepwise::review
