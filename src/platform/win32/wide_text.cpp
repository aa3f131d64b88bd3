#include "platform/win32/wide_text.h"

namespace stepwise::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W functions of Windows take UTF-16");

std::wstring toWide(TextView text) { return std::wstring(text.begin(), text.end()); }

Text fromWide(std::wstring_view text) { return Text(text.begin(), text.end()); }

Text withCrLfBreaks(TextView text) {
    Text out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == CR) {
            out += CRLF;
            if (i + 1 < text.size() && text[i + 1] == LF) ++i;
        } else if (c == LF) {
            out += CRLF;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace stepwise::win32
