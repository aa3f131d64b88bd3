#include "review/report_text.h"

namespace stepwise::review {

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

// The control picture of a C0 control character or DEL, as UTF-8.
void appendControlPicture(std::string& out, unsigned char c) {
    const char32_t picture = c == 0x7F ? 0x2421 : 0x2400 + c;
    out += static_cast<char>(0xE0 | (picture >> 12));
    out += static_cast<char>(0x80 | ((picture >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (picture & 0x3F));
}

}  // namespace

std::string reportUtf8(TextView text) {
    Text sound;
    sound.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            sound += c;
            sound += text[++i];
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            sound += u'\uFFFD';
        } else {
            sound += c;
        }
    }
    return toUtf8(sound);
}

void appendHtmlEscaped(std::string& out, std::string_view utf8) {
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
}

std::string htmlEscape(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8);
    appendHtmlEscaped(out, utf8);
    return out;
}

std::string terminalText(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 || c == 0x7F) {
            appendControlPicture(out, c);
        } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

}  // namespace stepwise::review
