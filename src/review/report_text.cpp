#include "review/report_text.h"

#include "review/html_escape.h"
#include "system/path_text.h"

namespace stepwise::review {

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

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

std::string cannotWrite(const SystemError& failure) {
    return "cannot write " + utf8Path(failure.path) + ": " + failure.reason;
}

}  // namespace stepwise::review
