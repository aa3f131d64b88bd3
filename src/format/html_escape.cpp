#include "format/html_escape.h"

#include "format/byte_search.h"
#include "format/utf8.h"

namespace stepwise {

void appendControlPicture(std::string& out, unsigned char control) {
    appendUtf8(out, control == 0x7F ? 0x2421 : 0x2400 + control);
}

namespace {

// The bytes that are not copied as they stand: the five HTML gives a meaning, DEL and the control
// codes other than tab, CR and LF.
constexpr ByteSet<6> specialBytes{{'&', '<', '>', '"', '\'', 0x7F}, true};

}  // namespace

std::string escapeHtml(std::string_view utf8) {
    std::string out;
    appendEscapedHtml(out, utf8);
    return out;
}

void appendEscapedHtml(std::string& out, std::string_view utf8) {
    out.reserve(out.size() + utf8.size() + utf8.size() / 8);
    ByteScanner scanner(utf8, specialBytes);
    for (std::size_t i = 0; i < utf8.size();) {
        // Runs of plain bytes are copied at once.
        const std::size_t run = scanner.next(i);
        out.append(utf8.data() + i, run - i);
        if (run == utf8.size()) return;
        const auto c = static_cast<unsigned char>(utf8[run]);
        switch (c) {
        case '&': out.append("&amp;", 5); break;
        case '<': out.append("&lt;", 4); break;
        case '>': out.append("&gt;", 4); break;
        case '"': out.append("&quot;", 6); break;
        case '\'': out.append("&#39;", 5); break;
        default: appendControlPicture(out, c);
        }
        i = run + 1;
    }
}

}  // namespace stepwise
